// A program built against the installed Glyphterm: writes host output into a terminal
// control and prints the screen's first line.
#include <glyphterm/screen.h>
#include <glyphterm/terminal.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    glyphterm::Terminal terminal;
    terminal.show();
    QString output = QStringLiteral("\x1b[2J\x1b[Hinstalled glyphterm");
    terminal.Write(output, short(output.size()));
    char line[81] = {};
    if (glyphterm::TermGetText(terminal.screenHandle(), 0, line, 80) < 0)
        return 1;
    std::printf("%s\n", QByteArray(line).trimmed().constData());
    return 0;
}
