#include "platform/qt/ComponentFactory.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <climits>
#include <stdexcept>

#include "platform/qt/FontSupport.h"
#include "platform/qt/LabelSizing.h"
#include "platform/qt/NativeWidget.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

std::string TextOf(const char* text) {
    return text == nullptr ? std::string() : text;
}

const TFontSpec& FontOf(const ComponentSpec& entry, const TFontSpec& formFont) {
    return entry.font != nullptr ? *entry.font : formFont;
}

// Labels and static texts: plain text, no frame, never the focus; placed at the designed corner
// and sized to their text. `minimumHeight` keeps a static text at least as high as designed.
QLabel* CreateTextLabel(const ComponentSpec& entry, QWidget& form, const TFontSpec& font,
                        int minimumHeight) {
    auto* label = new QLabel(&form);
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::NoFrame);
    label->setFocusPolicy(Qt::NoFocus);
    label->setMinimumHeight(minimumHeight);
    // Text at the top-left corner, as a text drawn on the window stands, also in a static text
    // that is higher than its font.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The window's background is the button face, which would make Qt draw children's text in the
    // button-text colour; a text on the window takes the window-text colour, or its fixed one.
    label->setForegroundRole(QPalette::WindowText);
    ApplyFont(*label, font);
    label->move(entry.bounds.left, entry.bounds.top);
    SetLabelText(*label, ToQString(entry.text));
    return label;
}

void Place(QWidget& widget, const TRect& bounds) {
    widget.setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

QLineEdit* CreateEdit(const ComponentSpec& entry, QWidget& form, const TFontSpec& font) {
    auto* edit = new QLineEdit(&form);
    // The toolkit's default limit is 32767 characters; the field has none.
    edit->setMaxLength(INT_MAX);
    edit->setFocusPolicy(Qt::StrongFocus);
    ApplyFont(*edit, font);
    Place(*edit, entry.bounds);
    edit->setText(ToQString(entry.text));
    return edit;
}

QPushButton* CreateButton(const ComponentSpec& entry, QWidget& form, const TFontSpec& font) {
    auto* button = new PushButton(ToQString(entry.text), &form);
    button->setFocusPolicy(Qt::StrongFocus);
    ApplyFont(*button, font);
    Place(*button, entry.bounds);
    return button;
}

QProgressBar* CreateProgressBar(const ComponentSpec& entry, QWidget& form, const TFontSpec& font) {
    auto* bar = new QProgressBar(&form);
    ApplyFont(*bar, font);
    bar->setOrientation(Qt::Horizontal);
    bar->setTextVisible(false);
    bar->setFocusPolicy(Qt::NoFocus);
    Place(*bar, entry.bounds);
    return bar;
}

template <class Dialog>
std::unique_ptr<TComponent> CreateFileDialog(const ComponentSpec& entry) {
    auto dialog = std::make_unique<Dialog>(entry.name);
    dialog->Title = TextOf(entry.text);
    dialog->Filter = TextOf(entry.filter);
    dialog->DefaultExt = TextOf(entry.defaultExt);
    dialog->FileName = TextOf(entry.fileName);
    return dialog;
}

}  // namespace

std::unique_ptr<TComponent> CreateComponent(const ComponentSpec& entry, QWidget& form,
                                            const TFontSpec& formFont) {
    if (entry.name == nullptr || *entry.name == '\0') {
        throw std::invalid_argument("A form component needs a name");
    }
    const TFontSpec& font = FontOf(entry, formFont);
    switch (entry.kind) {
        case ComponentKind::Label:
            return std::make_unique<TLabel>(entry.name,
                                            ToNative(CreateTextLabel(entry, form, font, 0)));
        case ComponentKind::StaticText:
            return std::make_unique<TStaticText>(
                entry.name, ToNative(CreateTextLabel(entry, form, font, entry.bounds.height)));
        case ComponentKind::Edit:
            return std::make_unique<TEdit>(entry.name, ToNative(CreateEdit(entry, form, font)));
        case ComponentKind::Button:
            return std::make_unique<TButton>(entry.name, ToNative(CreateButton(entry, form, font)));
        case ComponentKind::ProgressBar: {
            auto bar = std::make_unique<TProgressBar>(
                entry.name, ToNative(CreateProgressBar(entry, form, font)));
            bar->SetRange(entry.rangeMin, entry.rangeMax);
            bar->SetStep(entry.step);
            // The toolkit starts at -1, "no position"; the bar starts at its minimum.
            bar->SetPosition(entry.rangeMin);
            return bar;
        }
        case ComponentKind::Timer: {
            // Stopped until its period is set.
            auto* timer = new QTimer(&form);
            return std::make_unique<TTimer>(entry.name,
                                            static_cast<void*>(static_cast<QObject*>(timer)));
        }
        case ComponentKind::OpenDialog:
            return CreateFileDialog<TOpenDialog>(entry);
        case ComponentKind::SaveDialog:
            return CreateFileDialog<TSaveDialog>(entry);
    }
    throw std::invalid_argument("Unknown kind of form component");
}

}  // namespace platform::qt
