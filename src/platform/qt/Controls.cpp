#include "platform/Controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstring>

#include "platform/TextLimits.h"
#include "platform/qt/FontSupport.h"
#include "platform/qt/HandlerGuard.h"
#include "platform/qt/LabelSizing.h"
#include "platform/qt/NativeWidget.h"
#include "platform/qt/QtText.h"

namespace platform {

using qt::FromNative;
using qt::ToQString;
using qt::ToStdString;

void TControl::Show() {
    FromNative(native_)->show();
}

void TControl::Hide() {
    FromNative(native_)->hide();
}

bool TControl::Visible() const {
    return !FromNative(native_)->isHidden();
}

void TControl::Enable() {
    FromNative(native_)->setEnabled(true);
}

void TControl::Disable() {
    FromNative(native_)->setEnabled(false);
}

bool TControl::Enabled() const {
    return FromNative(native_)->isEnabled();
}

void TControl::Repaint() {
    FromNative(native_)->repaint();
}

TRect TControl::BoundsRect() const {
    const QRect geometry = FromNative(native_)->geometry();
    return {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

bool TControl::TabStop() const {
    return (FromNative(native_)->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

TFontSpec TControl::Font() const {
    return qt::FontSpecOf(*FromNative(native_));
}

void TLabel::SetCaption(const std::string& caption) {
    qt::SetLabelText(*FromNative<QLabel>(native_), ToQString(caption));
}

std::string TLabel::Caption() const {
    return ToStdString(FromNative<QLabel>(native_)->text());
}

void TLabel::SetFontColor(TColor color) {
    qt::ApplyFontColor(*FromNative(native_), color);
}

void TStaticText::SetCaption(const std::string& caption) {
    qt::SetLabelText(*FromNative<QLabel>(native_), ToQString(caption));
}

std::string TStaticText::Caption() const {
    return ToStdString(FromNative<QLabel>(native_)->text());
}

void TEdit::SetText(const std::string& text) {
    FromNative<QLineEdit>(native_)->setText(ToQString(text));
}

std::string TEdit::Text() const {
    return ToStdString(FromNative<QLineEdit>(native_)->text());
}

void TEdit::GetTextBuf(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0) {
        return;
    }
    const std::string text = Text();
    const std::size_t length = detail::Utf8PrefixLength(text, size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

std::string TButton::Caption() const {
    return ToStdString(FromNative<QPushButton>(native_)->text());
}

void TButton::SetOnClick(TNotifyEvent handler) {
    QPushButton* button = FromNative<QPushButton>(native_);
    // One handler at a time, as an event property holds one.
    QObject::disconnect(button, &QPushButton::clicked, nullptr, nullptr);
    if (handler) {
        QObject::connect(
            button, &QPushButton::clicked, button,
            [this, handler = std::move(handler)] { qt::RunGuarded([&] { handler(this); }); });
    }
}

void TButton::Click() {
    QPushButton* button = FromNative<QPushButton>(native_);
    if (button->isEnabled() && !button->isHidden()) {
        button->click();
    }
}

}  // namespace platform
