// glyphterm-bench FILE [COLUMNS ROWS]: feeds FILE through TermWrite in 1024-byte
// writes on a screen of a hidden widget (engine and buffer, no painting) and prints
// the median throughput of five runs.
#include "bench_input.h"

#include <glyphterm/emulator.h>
#include <glyphterm/screen.h>

#include <QApplication>
#include <QWidget>

#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: glyphterm-bench FILE [COLUMNS ROWS]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int columns = argc == 4 ? std::atoi(argv[2]) : 80;
    const int rows = argc == 4 ? std::atoi(argv[3]) : 25;
    std::string bytes;
    if (!bench::readFile(argv[1], bytes)) {
        std::fprintf(stderr, "glyphterm-bench: cannot read %s\n", argv[1]);
        return 1;
    }
    QWidget window;
    int handle = -1;
    bool created = true;
    bench::measure(
        bytes,
        [&] {
            handle = glyphterm::TermCreate(&window, nullptr, glyphterm::emAnsi, columns, rows);
            glyphterm::TermSetMode(handle, glyphterm::ModeAutoWrap, true);
            created = created && handle >= 0;
        },
        [&](const char *data, std::size_t size) { glyphterm::TermWrite(handle, data, size); },
        [&] { glyphterm::TermDestroy(handle); }, "glyphterm");
    if (!created) {
        std::fprintf(stderr, "glyphterm-bench: cannot create a %dx%d screen\n", columns, rows);
        return 1;
    }
    return 0;
}
