# SPDX-License-Identifier: GPL-3.0-or-later
# python3 -m http.server with the two headers that make a page
# cross-origin isolated, so that its clock (performance.now) reads to a few
# microseconds instead of a tenth of a millisecond: the turn benchmark's page
# is served so.
#
#   python3 bench/web/serve.py PORT FOLDER
import functools
import http.server
import sys


class IsolatedHandler(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        super().end_headers()


port, folder = int(sys.argv[1]), sys.argv[2]
handler = functools.partial(IsolatedHandler, directory=folder)
http.server.ThreadingHTTPServer(("127.0.0.1", port), handler).serve_forever()
