#include "app/program.h"

#include <QGuiApplication>
#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QSettings>

#include <algorithm>

#include <cstdio>

namespace quorrel::app {

namespace {

// Every press, key and wheel turn counts as time on the page: a learner
// trying sliders for a while is working, not away.
class ActivityWatch final : public QObject {
public:
    explicit ActivityWatch(progress::Recorder& recorder) : recorder_(recorder) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress || type == QEvent::Wheel)
            recorder_.record(progress::Activity{});
        return false;
    }

private:
    progress::Recorder& recorder_;
};

} // namespace

Program::Program(ui::Random random, bool author) : Program(std::move(random), author, nullptr, nullptr) {}

Program::Program(ui::Random random, bool author, const ui::Clock& clock)
    : Program(std::move(random), author, &clock, nullptr)
{
}

Program::Program(ui::Random random, bool author, progress::Store& store)
    : Program(std::move(random), author, nullptr, &store)
{
}

Program::Program(ui::Random random, bool author, const ui::Clock* clock, progress::Store* store)
    : speech_(ui::system_speech()),
      area_(QGuiApplication::primaryScreen()->availableGeometry()),
      tutor_({pump_, clock ? *clock : steady_clock_, dialogs_, std::move(random), *speech_, {}, store},
             area_.width(), area_.height()),
      window_(tutor_)
{
    if (store) {
        learners_ = std::make_unique<LearnerDesk>(*store, tutor_, window_);
        activity_ = std::make_unique<ActivityWatch>(*store);
        qApp->installEventFilter(activity_.get());
    }
    dialogs_.set_parent(&window_);
    // The size and contrast the learner chose last time, kept as they change.
    QSettings settings;
    window_.set_view_choices(ViewChoices::load(settings));
    window_.on_view_changed = [this](const ViewChoices& choices) {
        {
            QSettings kept;
            choices.save(kept);
        }
        if (learners_)
            learners_->keep_settings();
    };
    window_.fill(area_);
    if (author)
        tutor_.offer_authoring([this] { open_authoring(); },
                               [this] { return !authoring_window_ || authoring_window_->settle_unsaved(); },
                               [this] {
                                   if (authoring_window_)
                                       authoring_window_->check();
                               });
}

void Program::open_authoring()
{
    if (!authoring_window_) {
        authoring_window_ = std::make_unique<AuthoringWindow>(tutor_.authoring_model());
        authoring_window_->set_player({[this](std::size_t from) { tutor_.play_scene(from); },
                                       [this] { tutor_.stop_scene(); }});
        // Beside the message box, in the lower right half under a scene's
        // three fractions; either window comes to the front when clicked.
        const QRect main = window_.geometry();
        const int height = std::min(std::max(main.height() / 2, authoring_window_->minimumSizeHint().height()),
                                    main.height());
        const QRect place(main.left() + main.width() / 2, main.bottom() + 1 - height, main.width() - main.width() / 2,
                          height);
        authoring_window_->setGeometry(place);
    }
    authoring_window_->refresh();
    authoring_window_->show();
    authoring_window_->raise();
    authoring_window_->activateWindow();
}

int Program::exec(const std::optional<QString>& learner)
{
    window_.show();
    QString why;
    if (learners_ && !learners_->start(learner, why)) {
        std::fprintf(stderr, "quorrel: %s\n", qPrintable(why));
        return 2;
    }
    // The learner's own size and contrast, as their start restored them.
    QSettings settings;
    window_.set_view_choices(ViewChoices::load(settings));
    tutor_.Form_Load();
    tutor_.run_until_quit();
    return 0;
}

} // namespace quorrel::app
