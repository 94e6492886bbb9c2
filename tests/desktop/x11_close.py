#!/usr/bin/python3
"""Asks the window manager to close a window, as a taskbar or the title bar's
close button does: a _NET_CLOSE_WINDOW message to the root window, upon which
the window manager sends the window WM_DELETE_WINDOW.

Usage: x11_close.py WINDOW_ID"""
import ctypes
import ctypes.util
import sys

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]


def main():
    window = int(sys.argv[1], 0)
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("x11_close: cannot open the display")
    root = x11.XDefaultRootWindow(display)
    event = XEvent()
    event.xclient.type = 33  # ClientMessage
    event.xclient.send_event = 1
    event.xclient.display = display
    event.xclient.window = window
    event.xclient.message_type = x11.XInternAtom(display, b"_NET_CLOSE_WINDOW", 0)
    event.xclient.format = 32
    event.xclient.data[0] = 0  # CurrentTime
    event.xclient.data[1] = 2  # from a pager or taskbar: a direct user action
    mask = (1 << 19) | (1 << 20)  # SubstructureNotify | SubstructureRedirect
    if not x11.XSendEvent(display, root, 0, mask, ctypes.byref(event)):
        sys.exit("x11_close: the close request could not be sent")
    x11.XFlush(display)
    x11.XCloseDisplay(display)


main()
