#pragma once

#include "scenes/authoring.h"

#include <QWidget>

#include <array>
#include <functional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

namespace quorrel::app {

// The authoring window `interface`: a window of its own beside the tutor
// whose buttons drive an Authoring model. Closing it only hides it; the
// script stays in the model.
class AuthoringWindow final : public QWidget {
public:
    // What plays the script in the main window: from a byte of it on, and
    // a stop.
    struct Player {
        std::function<void(std::size_t from)> play_from;
        std::function<void()> stop;
    };

    explicit AuthoringWindow(scenes::Authoring& model, QWidget* parent = nullptr);

    void set_player(Player player) { player_ = std::move(player); }
    // Shows the model's script again after something other than this window
    // changed it.
    void refresh();
    // Before the script is replaced or the program ends: unsaved edits are
    // saved or discarded as the author answers; false when the author
    // cancels (or the save fails).
    bool settle_unsaved();
    // Lists the lines that will do nothing or fail when played; the list
    // hides when there are none. Returns how many there are.
    int check();

private:
    QWidget* file_section();
    QWidget* script_section();
    QWidget* play_section();
    QWidget* text_section();
    QWidget* condition_frame();
    QWidget* setting_frame();
    // A numbered spin box and its label, as row `i` of `form`, under `role`.
    void add_updown(int i, const QString& role, QWidget* box, QFormLayout* form);
    // Adds a line to the script through the model, then shows the script;
    // the editor can undo it.
    void append(const std::function<void()>& add_line);
    void show_script();
    void script_edited();
    void describe_condition();
    bool save();
    void load();
    void play(bool from_cursor);

    scenes::Authoring& model_;
    Player player_;
    QLineEdit* filename_;
    QPlainTextEdit* script_;
    QListWidget* findings_;
    QLineEdit* text1_;
    QLineEdit* request_;
    QLineEdit* fraction_;
    QLabel* condition_line_ = nullptr;
    std::array<QSpinBox*, scenes::Authoring::updown_count> updowns_{};
    std::array<QLabel*, scenes::Authoring::updown_count> labels_{};
    std::array<QRadioButton*, scenes::Authoring::op_captions.size()> ops_{};
    bool showing_ = false;
};

} // namespace quorrel::app
