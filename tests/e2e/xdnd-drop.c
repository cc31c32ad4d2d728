/* Drops files on an X window the way a desktop file manager does, through the XDND
 * protocol: enter with the type text/uri-list, a position inside the window, the drop,
 * and the file URIs handed over through the XdndSelection selection.
 *
 *   xdnd-drop <window id> <x> <y> <path>...
 *
 * x and y are relative to the window. Exits 0 when the target accepted the drop and said
 * it has finished, 1 when it refused it, 2 on a usage or protocol error. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static Atom A(Display* d, const char* name) { return XInternAtom(d, name, False); }

static long NowMs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

/* file:// URI of a path, every byte outside the unreserved set percent-encoded. */
static void AppendUri(char** buf, size_t* len, const char* path) {
    static const char hex[] = "0123456789ABCDEF";
    size_t need = *len + 7 + strlen(path) * 3 + 3;
    *buf = realloc(*buf, need);
    char* o = *buf + *len;
    o += sprintf(o, "file://");
    for (const unsigned char* p = (const unsigned char*)path; *p; ++p) {
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') ||
            strchr("/-_.~", *p)) {
            *o++ = (char)*p;
        } else {
            *o++ = '%';
            *o++ = hex[*p >> 4];
            *o++ = hex[*p & 15];
        }
    }
    *o++ = '\r';
    *o++ = '\n';
    *len = (size_t)(o - *buf);
}

static void Send(Display* d, Window target, Atom type, long l0, long l1, long l2, long l3, long l4) {
    XEvent e;
    memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.display = d;
    e.xclient.window = target;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(d, target, False, NoEventMask, &e);
    XFlush(d);
}

struct Drag {
    Display* d;
    Window source, target;
    char* uris;
    size_t urisLen;
    int status;   /* -1 none yet, 0 refused, 1 accepted */
    int finished; /* 1 once the target said so */
};

static void Answer(struct Drag* g, XSelectionRequestEvent* r) {
    XEvent n;
    memset(&n, 0, sizeof n);
    n.xselection.type = SelectionNotify;
    n.xselection.display = r->display;
    n.xselection.requestor = r->requestor;
    n.xselection.selection = r->selection;
    n.xselection.target = r->target;
    n.xselection.time = r->time;
    n.xselection.property = None;
    if (r->target == A(g->d, "text/uri-list")) {
        Atom prop = r->property != None ? r->property : r->target;
        XChangeProperty(g->d, r->requestor, prop, r->target, 8, PropModeReplace, (unsigned char*)g->uris,
                        (int)g->urisLen);
        n.xselection.property = prop;
    }
    XSendEvent(g->d, r->requestor, False, NoEventMask, &n);
    XFlush(g->d);
}

/* Handles events for up to ms milliseconds, or until done() holds. */
static int Pump(struct Drag* g, long ms, int (*done)(struct Drag*)) {
    long end = NowMs() + ms;
    while (!done(g)) {
        while (XPending(g->d)) {
            XEvent e;
            XNextEvent(g->d, &e);
            if (e.type == SelectionRequest) {
                Answer(g, &e.xselectionrequest);
            } else if (e.type == ClientMessage && e.xclient.message_type == A(g->d, "XdndStatus")) {
                g->status = (e.xclient.data.l[1] & 1) ? 1 : 0;
            } else if (e.type == ClientMessage && e.xclient.message_type == A(g->d, "XdndFinished")) {
                g->finished = 1;
            }
            if (done(g)) return 1;
        }
        long left = end - NowMs();
        if (left <= 0) return 0;
        struct pollfd p = {ConnectionNumber(g->d), POLLIN, 0};
        poll(&p, 1, left < 50 ? (int)left : 50);
    }
    return 1;
}

static int Never(struct Drag* g) { (void)g; return 0; }
static int HasStatus(struct Drag* g) { return g->status >= 0; }
static int HasFinished(struct Drag* g) { return g->finished; }

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: xdnd-drop <window id> <x> <y> <path>...\n");
        return 2;
    }
    struct Drag g = {0};
    g.d = XOpenDisplay(NULL);
    if (!g.d) {
        fprintf(stderr, "xdnd-drop: no display\n");
        return 2;
    }
    g.target = (Window)strtoul(argv[1], NULL, 0);
    g.status = -1;
    for (int i = 4; i < argc; ++i) AppendUri(&g.uris, &g.urisLen, argv[i]);

    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* aware = NULL;
    if (XGetWindowProperty(g.d, g.target, A(g.d, "XdndAware"), 0, 1, False, AnyPropertyType, &type, &format, &count,
                           &after, &aware) != Success || count == 0) {
        fprintf(stderr, "xdnd-drop: window 0x%lx does not take drops (no XdndAware)\n", g.target);
        return 2;
    }
    long version = *(long*)aware;
    XFree(aware);
    if (version > 5) version = 5;

    g.source = XCreateSimpleWindow(g.d, DefaultRootWindow(g.d), -10, -10, 1, 1, 0, 0, 0);
    XSetSelectionOwner(g.d, A(g.d, "XdndSelection"), g.source, CurrentTime);
    if (XGetSelectionOwner(g.d, A(g.d, "XdndSelection")) != g.source) {
        fprintf(stderr, "xdnd-drop: could not own XdndSelection\n");
        return 2;
    }

    Window child;
    int rx, ry;
    XTranslateCoordinates(g.d, g.target, DefaultRootWindow(g.d), atoi(argv[2]), atoi(argv[3]), &rx, &ry, &child);

    Send(g.d, g.target, A(g.d, "XdndEnter"), (long)g.source, version << 24, (long)A(g.d, "text/uri-list"), 0, 0);
    /* The target may fetch the data as soon as it hears of the drag. */
    Pump(&g, 300, Never);
    Send(g.d, g.target, A(g.d, "XdndPosition"), (long)g.source, 0, ((long)rx << 16) | (ry & 0xFFFF), CurrentTime,
         (long)A(g.d, "XdndActionCopy"));
    if (!Pump(&g, 5000, HasStatus)) {
        fprintf(stderr, "xdnd-drop: no XdndStatus from the target\n");
        return 2;
    }
    if (g.status == 0) {
        Send(g.d, g.target, A(g.d, "XdndLeave"), (long)g.source, 0, 0, 0, 0);
        fprintf(stderr, "xdnd-drop: the target refused the drop\n");
        return 1;
    }
    Send(g.d, g.target, A(g.d, "XdndDrop"), (long)g.source, 0, CurrentTime, 0, 0);
    if (!Pump(&g, 10000, HasFinished)) {
        fprintf(stderr, "xdnd-drop: no XdndFinished from the target\n");
        return 2;
    }
    XCloseDisplay(g.d);
    free(g.uris);
    return 0;
}
