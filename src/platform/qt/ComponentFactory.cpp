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
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

std::string TextOf(const char* text) {
    return text == nullptr ? std::string() : text;
}

const TFontSpec& FontOf(const ComponentSpec& spec, const TFontSpec& formFont) {
    return spec.font != nullptr ? *spec.font : formFont;
}

// Labels and static texts: plain text, no frame, never the focus; placed at the designed corner
// and sized to their text. `minimumHeight` keeps a static text at least as high as designed.
QLabel* CreateTextLabel(const ComponentSpec& spec, QWidget& form, const TFontSpec& font,
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
    label->move(spec.bounds.left, spec.bounds.top);
    SetLabelText(*label, ToQString(spec.text));
    return label;
}

void Place(QWidget& widget, const TRect& bounds) {
    widget.setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

QLineEdit* CreateEdit(const ComponentSpec& spec, QWidget& form, const TFontSpec& font) {
    auto* edit = new QLineEdit(&form);
    // The toolkit's default limit is 32767 characters; the field has none.
    edit->setMaxLength(INT_MAX);
    edit->setFocusPolicy(Qt::StrongFocus);
    ApplyFont(*edit, font);
    Place(*edit, spec.bounds);
    edit->setText(ToQString(spec.text));
    return edit;
}

QPushButton* CreateButton(const ComponentSpec& spec, QWidget& form, const TFontSpec& font) {
    auto* button = new QPushButton(ToQString(spec.text), &form);
    // No default button: Enter and Escape press nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    ApplyFont(*button, font);
    Place(*button, spec.bounds);
    return button;
}

QProgressBar* CreateProgressBar(const ComponentSpec& spec, QWidget& form, const TFontSpec& font) {
    auto* bar = new QProgressBar(&form);
    ApplyFont(*bar, font);
    bar->setOrientation(Qt::Horizontal);
    bar->setTextVisible(false);
    bar->setFocusPolicy(Qt::NoFocus);
    Place(*bar, spec.bounds);
    return bar;
}

template <class Dialog>
std::unique_ptr<TComponent> CreateFileDialog(const ComponentSpec& spec) {
    auto dialog = std::make_unique<Dialog>(spec.name);
    dialog->Title = TextOf(spec.text);
    dialog->Filter = TextOf(spec.filter);
    dialog->DefaultExt = TextOf(spec.defaultExt);
    dialog->FileName = TextOf(spec.fileName);
    return dialog;
}

}  // namespace

std::unique_ptr<TComponent> CreateComponent(const ComponentSpec& spec, QWidget& form,
                                            const TFontSpec& formFont) {
    if (spec.name == nullptr || *spec.name == '\0') {
        throw std::invalid_argument("A form component needs a name");
    }
    const TFontSpec& font = FontOf(spec, formFont);
    switch (spec.kind) {
        case ComponentKind::Label:
            return std::make_unique<TLabel>(spec.name,
                                            ToNative(CreateTextLabel(spec, form, font, 0)));
        case ComponentKind::StaticText:
            return std::make_unique<TStaticText>(
                spec.name, ToNative(CreateTextLabel(spec, form, font, spec.bounds.height)));
        case ComponentKind::Edit:
            return std::make_unique<TEdit>(spec.name, ToNative(CreateEdit(spec, form, font)));
        case ComponentKind::Button:
            return std::make_unique<TButton>(spec.name, ToNative(CreateButton(spec, form, font)));
        case ComponentKind::ProgressBar: {
            auto bar = std::make_unique<TProgressBar>(
                spec.name, ToNative(CreateProgressBar(spec, form, font)));
            bar->SetRange(spec.rangeMin, spec.rangeMax);
            bar->SetStep(spec.step);
            // The toolkit starts at -1, "no position"; the bar starts at its minimum.
            bar->SetPosition(spec.rangeMin);
            return bar;
        }
        case ComponentKind::Timer: {
            // Stopped until its period is set.
            auto* timer = new QTimer(&form);
            return std::make_unique<TTimer>(spec.name,
                                            static_cast<void*>(static_cast<QObject*>(timer)));
        }
        case ComponentKind::OpenDialog:
            return CreateFileDialog<TOpenDialog>(spec);
        case ComponentKind::SaveDialog:
            return CreateFileDialog<TSaveDialog>(spec);
    }
    throw std::invalid_argument("Unknown kind of form component");
}

}  // namespace platform::qt
