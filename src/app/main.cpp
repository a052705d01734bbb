#include "app/program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quorrel");
    QApplication::setQuitOnLastWindowClosed(false); // the runner decides when the program ends
    quorrel::app::Program program(quorrel::ui::Random::from_clock());
    return program.exec();
}
