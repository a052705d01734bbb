#pragma once

#include "app/tutor.h"
#include "progress/store.h"

#include <QString>

#include <optional>

class QWidget;

namespace quorrel::app {

// Who is learning: chosen at start, kept in the store with their progress
// and choices, and changed from the Learner menu.
class LearnerDesk {
public:
    LearnerDesk(progress::Store& store, Tutor& tutor, QWidget& window);
    LearnerDesk(const LearnerDesk&) = delete;
    LearnerDesk& operator=(const LearnerDesk&) = delete;

    // Before the first lesson: the learner `named` (made when new), the only
    // one, or the one the learner picks. False, with the reason, for a name
    // that cannot be used.
    bool start(const std::optional<QString>& named, QString& why);

    // The Choices kept for each learner, by menu item name.
    static const std::vector<std::string>& kept_choices();
    // Application settings kept per learner (a text size, say) by their
    // QSettings keys: the value is saved as the learner leaves and put back
    // as they return.
    static const std::vector<QString>& kept_settings();
    // Keeps the current learner's value of each such setting, as it changes.
    void keep_settings();

private:
    void refresh_menu();
    // Makes `id` the learner: their choices, finished pages and place.
    void switch_to(qint64 id);
    void keep_choice(const std::string& item);
    void restore_choices(qint64 id);
    void new_learner();
    void rename_learner();
    void forget_learner();
    QString current_name() const;
    std::optional<qint64> ask_who();

    progress::Store& store_;
    Tutor& tutor_;
    QWidget& window_;
};

// The account's full name, or "Learner" when it has none.
QString account_name();

} // namespace quorrel::app
