// libvterm-bench FILE: the peer of glyphterm-bench. Feeds FILE through
// vterm_input_write in 1024-byte writes into a 25x80 terminal with the screen layer
// on, and prints the median throughput of five runs.
#include "bench_input.h"

extern "C" {
#include <vterm.h>
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: libvterm-bench FILE\n");
        return 2;
    }
    std::string bytes;
    if (!bench::readFile(argv[1], bytes)) {
        std::fprintf(stderr, "libvterm-bench: cannot read %s\n", argv[1]);
        return 1;
    }
    VTerm *vt = nullptr;
    bench::measure(
        bytes,
        [&] {
            vt = vterm_new(25, 80);
            VTermScreen *screen = vterm_obtain_screen(vt);
            vterm_screen_reset(screen, 1);
        },
        [&](const char *data, std::size_t size) { vterm_input_write(vt, data, size); },
        [&] { vterm_free(vt); }, "libvterm");
    return 0;
}
