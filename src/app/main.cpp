#include "app/program.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* usage = "Usage: quorrel [--author]\n"
                              "\n"
                              "Runs the fractions tutor, starting with lesson 1a.\n"
                              "\n"
                              "  --author  also offers the menu items \"Test\" (the scene authoring window),\n"
                              "            \"Playback\" (plays its script) and \"1f\"\n"
                              "  --help    shows this text\n";

} // namespace

int main(int argc, char* argv[])
{
    // Before the window system is asked for: a mistyped option or a request
    // for help needs no display. Options of one dash are the toolkit's own.
    bool author = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--author") == 0) {
            author = true;
            continue;
        }
        if (argv[i][0] != '-' || argv[i][1] == '-') {
            std::fprintf(stderr, "quorrel: unknown argument '%s'\n\n%s", argv[i], usage);
            return 2;
        }
    }
    QApplication application(argc, argv);
    // Whatever the toolkit has not taken out of the list is not an option.
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] != "--author") {
            std::fprintf(stderr, "quorrel: unknown argument '%s'\n\n%s", qPrintable(arguments[i]), usage);
            return 2;
        }
    }
    QApplication::setOrganizationName("Quorrel");
    QApplication::setApplicationName("Quorrel");
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORREL_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false); // the runner decides when the program ends
    quorrel::app::Program program(quorrel::ui::Random::from_clock(), author);
    return program.exec();
}
