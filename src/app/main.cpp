#include "app/program.h"

#include <QApplication>

#include <optional>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* usage = "Usage: quorrel [--author] [--learner NAME]\n"
                              "\n"
                              "Runs the fractions tutor, starting with lesson 1a, or for a returning\n"
                              "learner where they stopped.\n"
                              "\n"
                              "  --learner NAME  the learner (made when new), without asking who is learning\n"
                              "  --author  also offers the menu items \"Test\" (the scene authoring window),\n"
                              "            \"Playback\" (plays its script) and \"1f\"\n"
                              "  --help    shows this text\n";

} // namespace

int main(int argc, char* argv[])
{
    // Before the window system is asked for: help needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
    }
    QApplication application(argc, argv);
    // Qt has taken its own options out of the list by now.
    bool author = false;
    std::optional<QString> learner;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--author") {
            author = true;
        } else if (arguments[i] == "--learner" && i + 1 < arguments.size()) {
            learner = arguments[++i];
        } else {
            std::fprintf(stderr, "quorrel: unknown argument '%s'\n\n%s", qPrintable(arguments[i]), usage);
            return 2;
        }
    }
    QApplication::setApplicationName("Quorrel");
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORREL_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false); // the runner decides when the program ends
    quorrel::progress::Store store(quorrel::progress::Store::default_path());
    if (!store.notice().isEmpty())
        std::fprintf(stderr, "quorrel: %s\n", qPrintable(store.notice()));
    quorrel::app::Program program(quorrel::ui::Random::from_clock(), author, store);
    return program.exec(learner);
}
