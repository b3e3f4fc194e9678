// The lowest floor: a bare Xlib window of the same size that fills itself
// with one colour when exposed.
#include <X11/Xlib.h>

int main()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 468, 384, 0,
                                              BlackPixel(display, screen), WhitePixel(display, screen));
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    const GC gc = DefaultGC(display, screen);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == Expose) {
            XFillRectangle(display, window, gc, 0, 0, 468, 384);
            XFlush(display);
        }
    }
}
