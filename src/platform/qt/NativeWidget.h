// Access to the toolkit objects behind the platform's controls.
//
// A control's `native_` always holds a QWidget* converted to void*; a timer's holds a QTimer*.
// Converting back through the same type keeps the conversion exact whatever the subclass.
#pragma once

#include <QWidget>

namespace platform::qt {

inline void* ToNative(QWidget* widget) {
    return static_cast<void*>(widget);
}

template <class Widget = QWidget>
Widget* FromNative(void* native) {
    return static_cast<Widget*>(static_cast<QWidget*>(native));
}

}  // namespace platform::qt
