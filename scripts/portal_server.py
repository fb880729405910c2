#!/usr/bin/env python3
"""Serves the demo portal (the repository's portal/ folder) on loopback.

    python3 scripts/portal_server.py [PORT] [--port PORT] [--root FOLDER] [--verbose]

The default port is 8610. Page addresses without an extension are the
portal's short forms: "/box" is "/box/index.html", "/box/game" is
"/box/game.html", and so on. Only page and resource files are served, never
a folder listing. SIGTERM and Ctrl+C stop the server cleanly.
"""
import argparse
import http.server
import os
import posixpath
import signal
import sys
import urllib.parse

DEFAULT_PORT = 8610
DEFAULT_ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "portal")

# What is served, and as what; anything else (scripts, notes) is not found.
CONTENT_TYPES = {
    ".html": "text/html; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".js": "application/javascript; charset=utf-8",
    ".ini": "text/plain",
    ".png": "image/png",
    ".svg": "image/svg+xml",
    ".ico": "image/x-icon",
}


class PortalHandler(http.server.SimpleHTTPRequestHandler):
    verbose = False

    def resolve(self):
        """The file for the request's path, or None."""
        path = urllib.parse.urlsplit(self.path).path
        path = posixpath.normpath(urllib.parse.unquote(path))
        parts = [part for part in path.split("/") if part and part not in (".", "..")]
        root = os.path.realpath(self.directory)
        base = os.path.join(root, *parts)
        if os.path.isdir(base):
            candidates = [os.path.join(base, "index.html")]
        elif not os.path.splitext(base)[1]:
            candidates = [base + ".html"]
        else:
            candidates = [base]
        for candidate in candidates:
            real = os.path.realpath(candidate)
            inside = real == root or real.startswith(root + os.sep)
            if inside and os.path.isfile(real) and os.path.splitext(real)[1] in CONTENT_TYPES:
                return real
        return None

    def send_head(self):
        target = self.resolve()
        if target is None:
            self.send_error(404, "Not found")
            return None
        try:
            body = open(target, "rb")
        except OSError:
            self.send_error(404, "Not found")
            return None
        size = os.fstat(body.fileno()).st_size
        self.send_response(200)
        self.send_header("Content-Type", CONTENT_TYPES[os.path.splitext(target)[1]])
        self.send_header("Content-Length", str(size))
        # The pages change while one works on them: never serve a stale copy.
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        return body

    def list_directory(self, path):
        self.send_error(404, "Not found")
        return None

    def log_message(self, format, *args):
        if self.verbose:
            super().log_message(format, *args)


class PortalServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def stop(signum, frame):
    raise SystemExit(0)


def main(argv=None):
    parser = argparse.ArgumentParser(description="Serves the demo portal on 127.0.0.1.")
    parser.add_argument("port_argument", nargs="?", type=int, metavar="PORT")
    parser.add_argument("--port", type=int, default=None)
    parser.add_argument("--root", default=DEFAULT_ROOT, help="folder to serve (default: portal/)")
    parser.add_argument("--verbose", action="store_true", help="log every request")
    options = parser.parse_args(argv)
    port = options.port or options.port_argument or DEFAULT_PORT
    root = os.path.realpath(options.root)
    if not os.path.isdir(root):
        parser.error(f"no such folder: {root}")

    PortalHandler.verbose = options.verbose
    handler = lambda *args, **kwargs: PortalHandler(*args, directory=root, **kwargs)
    try:
        server = PortalServer(("127.0.0.1", port), handler)
    except OSError as error:
        print(f"portal: cannot listen on 127.0.0.1:{port}: {error.strerror}", file=sys.stderr)
        return 1

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    if options.verbose:
        print(f"portal: serving {root} at http://127.0.0.1:{port}/", file=sys.stderr)
    try:
        server.serve_forever()
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
