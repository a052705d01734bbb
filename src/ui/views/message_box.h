#pragma once

#include "ui/platform.h"

class QWidget;

namespace quorrel::ui {

// Modal message boxes over the main window, with an OK button.
class MessageBoxDialogs final : public Dialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void message_box(const std::string& text) override;

private:
    QWidget* parent_;
};

} // namespace quorrel::ui
