#include "app/program.h"

#include <QApplication>

#include <optional>

#include <cstdio>
#include <string_view>

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
    // Before the window system is asked for: a mistyped option or a request
    // for help needs no display. Options of one dash, and their values, are
    // the toolkit's own; what it leaves is looked at once it has started.
    bool author = false;
    std::optional<QString> learner;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (arg == "--author") {
            author = true;
        } else if (arg == "--learner" && i + 1 < argc) {
            learner = QString::fromLocal8Bit(argv[++i]);
        } else if (arg.starts_with("--")) {
            std::fprintf(stderr, "quorrel: unknown argument '%s'\n\n%s", argv[i], usage);
            return 2;
        }
    }
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--author")
            continue;
        if (arguments[i] == "--learner" && i + 1 < arguments.size()) {
            ++i;
            continue;
        }
        std::fprintf(stderr, "quorrel: unknown argument '%s'\n\n%s", qPrintable(arguments[i]), usage);
        return 2;
    }
    QApplication::setOrganizationName("Quorrel");
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
