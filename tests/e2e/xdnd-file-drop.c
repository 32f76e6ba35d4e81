/* Drops a file on an X window the way a file manager does, through the XDND protocol
 * (version 5): enter, position, the target's status, drop, the file served from the
 * XdndSelection as text/uri-list, and the target's finish.
 *   xdnd-file-drop WINDOW X Y FILE
 * WINDOW is the target's top-level X window (as xdotool gives it), X Y the point in it, FILE
 * an absolute Linux path. Exit 0: the target accepted the drop and finished it; 3: it refused
 * it; 1: no answer in time or wrong arguments. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/time.h>

static Display *display;
static Window source, target;
static Atom aware, selection, enter, position, status, drop, leave, finished, copy, uriList;

static void send_message(Atom type, long l1, long l2, long l3, long l4) {
    XEvent event;
    memset(&event, 0, sizeof(event));
    event.xclient.type = ClientMessage;
    event.xclient.display = display;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)source;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
}

/* The file's address, served to whoever converts the selection, in any type asked for. */
static void serve(const XSelectionRequestEvent *request, const char *uri) {
    XEvent reply;
    memset(&reply, 0, sizeof(reply));
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = request->display;
    reply.xselection.requestor = request->requestor;
    reply.xselection.selection = request->selection;
    reply.xselection.target = request->target;
    reply.xselection.time = request->time;
    reply.xselection.property = request->property ? request->property : request->target;
    XChangeProperty(display, request->requestor, reply.xselection.property, request->target, 8,
                    PropModeReplace, (const unsigned char *)uri, (int)strlen(uri));
    XSendEvent(display, request->requestor, False, NoEventMask, &reply);
    XFlush(display);
}

/* The next event within the time left (milliseconds); 0 when none came. */
static int next_event(XEvent *event, long *left) {
    const int connection = ConnectionNumber(display);
    while (*left > 0) {
        if (XPending(display)) {
            XNextEvent(display, event);
            return 1;
        }
        struct timeval start, end, wait = {0, 20000};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        gettimeofday(&start, NULL);
        select(connection + 1, &readable, NULL, NULL, &wait);
        gettimeofday(&end, NULL);
        *left -= (end.tv_sec - start.tv_sec) * 1000 + (end.tv_usec - start.tv_usec) / 1000 + 1;
    }
    return 0;
}

int main(int argc, char **argv) {
    if (argc != 5 || argv[4][0] != '/') {
        fprintf(stderr, "usage: xdnd-file-drop WINDOW X Y /ABSOLUTE/FILE\n");
        return 1;
    }
    display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xdnd-file-drop: no display\n");
        return 1;
    }
    target = (Window)strtoul(argv[1], NULL, 0);
    char uri[4096];
    snprintf(uri, sizeof(uri), "file://%s\r\n", argv[4]);
#define ATOM(name) XInternAtom(display, name, False)
    aware = ATOM("XdndAware");
    selection = ATOM("XdndSelection");
    enter = ATOM("XdndEnter");
    position = ATOM("XdndPosition");
    status = ATOM("XdndStatus");
    drop = ATOM("XdndDrop");
    leave = ATOM("XdndLeave");
    finished = ATOM("XdndFinished");
    copy = ATOM("XdndActionCopy");
    uriList = ATOM("text/uri-list");

    /* The target says which version it speaks; version 5 is asked for when it speaks it. */
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *value = NULL;
    long version = 5;
    if (XGetWindowProperty(display, target, aware, 0, 1, False, XA_ATOM, &type, &format, &count,
                           &after, &value) != Success || count != 1) {
        fprintf(stderr, "xdnd-file-drop: window %s takes no drops (no XdndAware)\n", argv[1]);
        return 1;
    }
    if ((long)*(Atom *)value < version) version = (long)*(Atom *)value;
    XFree(value);

    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display, target, DefaultRootWindow(display), atoi(argv[2]),
                          atoi(argv[3]), &rootX, &rootY, &child);
    source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, selection, source, CurrentTime);

    send_message(enter, version << 24, (long)uriList, 0, 0);
    send_message(position, 0, ((long)rootX << 16) | rootY, CurrentTime, (long)copy);
    long left = 10000;
    int dropped = 0;
    XEvent event;
    while (next_event(&event, &left)) {
        if (event.type == SelectionRequest) {
            serve(&event.xselectionrequest, uri);
        } else if (event.type == ClientMessage && event.xclient.message_type == status &&
                   !dropped) {
            if (!(event.xclient.data.l[1] & 1)) {
                send_message(leave, 0, 0, 0, 0);
                fprintf(stderr, "xdnd-file-drop: the target refused the drop\n");
                return 3;
            }
            send_message(drop, 0, CurrentTime, 0, 0);
            dropped = 1;
        } else if (event.type == ClientMessage && event.xclient.message_type == finished) {
            return 0;
        }
    }
    fprintf(stderr, "xdnd-file-drop: no %s from the target in time\n", dropped ? "finish" : "status");
    return 1;
}
