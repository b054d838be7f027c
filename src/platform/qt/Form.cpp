#include "platform/Form.h"

#include <QPalette>
#include <QVariant>
#include <algorithm>
#include <set>
#include <stdexcept>

#include "platform/Application.h"
#include "platform/qt/ComponentFactory.h"
#include "platform/qt/FontSupport.h"
#include "platform/qt/FormWidget.h"
#include "platform/qt/NativeWidget.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowPalette.h"

namespace platform {
namespace {

qt::FormWidget* WindowOf(void* native) {
    return qt::FromNative<qt::FormWidget>(native);
}

bool CanTakeFocus(ComponentKind kind) {
    return kind == ComponentKind::Button || kind == ComponentKind::Edit;
}

void SetUpWindow(QWidget& window, const FormSpec& form) {
    // A fixed single border: title, system menu, minimise and close; no maximise, no help.
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
    window.setWindowTitle(qt::ToQString(form.caption));
    window.setFixedSize(form.clientWidth, form.clientHeight);
    window.move(form.left, form.top);
    window.setPalette(qt::WindowPalette());
    window.setBackgroundRole(QPalette::Button);
    window.setAutoFillBackground(true);
    qt::ApplyFont(window, form.font);
}

}  // namespace

TForm::TForm(const FormSpec& form, std::span<const ComponentSpec> components)
    : TComponent(form.caption != nullptr ? form.caption : "") {
    if (!Application.Initialized()) {
        throw std::logic_error("Application.Initialize() must come before the first form");
    }
    auto window = std::make_unique<qt::FormWidget>(this);
    SetUpWindow(*window, form);

    std::set<std::string_view> names;
    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const ComponentSpec& entry : components) {
        std::unique_ptr<TComponent> component = qt::CreateComponent(entry, *window, form.font);
        if (!names.insert(component->Name()).second) {
            throw std::invalid_argument("Two form components named " + component->Name());
        }
        if (CanTakeFocus(entry.kind) && entry.tabOrder >= 0) {
            auto* control = static_cast<TControl*>(component.get());
            QWidget* widget = qt::FromNative(control->Native());
            // Kept on the widget: the toolkit's focus chain is a cycle whose start does not follow
            // the tab places, and the buttons' shared accelerators follow them too.
            widget->setProperty(qt::kTabOrderProperty, entry.tabOrder);
            tabStops.emplace_back(entry.tabOrder, widget);
        }
        components_.push_back(std::move(component));
    }
    std::stable_sort(tabStops.begin(), tabStops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    }
    native_ = qt::ToNative(window.release());
}

TForm::~TForm() {
    qt::FormWidget* window = WindowOf(native_);
    window->Detach();
    // Deletes every child widget and the timers with it.
    delete window;
}

TComponent* TForm::FindComponent(std::string_view name) const {
    for (const auto& component : components_) {
        if (component->Name() == name) {
            return component.get();
        }
    }
    return nullptr;
}

std::string TForm::Caption() const {
    return qt::ToStdString(WindowOf(native_)->windowTitle());
}

void TForm::Show() {
    QWidget* window = WindowOf(native_);
    // The first tab stop takes the focus when the window first becomes active; the toolkit would
    // start at whichever focusable widget was created first.
    if (window->focusWidget() == nullptr) {
        const std::vector<std::string> chain = FocusChain();
        if (!chain.empty()) {
            auto* first = static_cast<TControl*>(FindComponent(chain.front()));
            qt::FromNative(first->Native())->setFocus(Qt::TabFocusReason);
        }
    }
    window->show();
}

void TForm::Close() {
    WindowOf(native_)->close();
}

void TForm::Repaint() {
    WindowOf(native_)->repaint();
}

TRect TForm::BoundsRect() const {
    const QWidget* window = WindowOf(native_);
    return {window->x(), window->y(), window->width(), window->height()};
}

std::vector<std::string> TForm::FocusChain() const {
    // Walks the toolkit's own focus chain, which is what Tab follows, and keeps the components
    // that Tab would stop at now.
    std::vector<std::pair<const QWidget*, const std::string*>> controls;
    for (const auto& component : components_) {
        if (const auto* control = dynamic_cast<const TControl*>(component.get())) {
            controls.emplace_back(qt::FromNative(control->Native()), &control->Name());
        }
    }
    std::vector<std::pair<int, std::string>> chain;  // tab place and name, in chain order
    const QWidget* window = WindowOf(native_);
    for (const QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (!w->isEnabled() || !w->isVisibleTo(window) ||
            (w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) {
            continue;
        }
        for (const auto& [widget, name] : controls) {
            if (widget == w) {
                chain.emplace_back(w->property(qt::kTabOrderProperty).toInt(), *name);
            }
        }
    }
    // The cycle read from its first tab place on.
    const auto first = std::min_element(
        chain.begin(), chain.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::rotate(chain.begin(), first, chain.end());
    std::vector<std::string> names;
    for (auto& entry : chain) {
        names.push_back(std::move(entry.second));
    }
    return names;
}

void TForm::CloseRequested() {
    Application.Terminate();
}

}  // namespace platform
