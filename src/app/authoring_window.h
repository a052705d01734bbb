#pragma once

#include "scenes/authoring.h"

#include <QWidget>

#include <array>
#include <functional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

namespace quorrel::app {

// The authoring window `interface`: a window of its own beside the tutor
// whose buttons drive an Authoring model. Closing it only hides it; the
// script stays in the model.
class AuthoringWindow final : public QWidget {
public:
    explicit AuthoringWindow(scenes::Authoring& model, QWidget* parent = nullptr);

    // Shows the model's script again after something other than this window
    // changed it.
    void refresh();

private:
    QWidget* file_section();
    QWidget* script_section();
    QWidget* text_section();
    QWidget* condition_frame();
    QWidget* setting_frame();
    // A numbered spin box and its label, as row `i` of `form`.
    void add_updown(int i, QWidget* box, QFormLayout* form);
    // Adds a line to the script through the model, then shows the script.
    void append(const std::function<void()>& add_line);
    void show_script();
    void script_edited();

    scenes::Authoring& model_;
    QLineEdit* filename_;
    QPlainTextEdit* script_;
    QLineEdit* text1_;
    QLineEdit* request_;
    QLineEdit* fraction_;
    std::array<QSpinBox*, scenes::Authoring::updown_count> updowns_{};
    std::array<QLabel*, scenes::Authoring::updown_count> labels_{};
    std::array<QRadioButton*, scenes::Authoring::op_captions.size()> ops_{};
    bool showing_ = false;
};

} // namespace quorrel::app
