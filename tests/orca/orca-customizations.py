# SPDX-License-Identifier: MIT
# Loaded by Orca at its start: every string it speaks, to the file that
# NOMBRELIX_SPEECH_LOG names, a line each ("SPEECH OUTPUT: '...'"). Orca 43
# logs them to its "speech" logger; Orca 48 has none and prints them
# through its debug module, whose two printers are wrapped.
import logging
import os

_path = os.environ.get("NOMBRELIX_SPEECH_LOG")
if _path:
    _handler = logging.FileHandler(_path)
    _handler.setFormatter(logging.Formatter("%(message)s"))
    logging.getLogger("speech").addHandler(_handler)
    try:
        from orca import debug as _debug

        def _keep(text):
            text = str(text)
            if text.lstrip().startswith("SPEECH OUTPUT:"):
                with open(_path, "a") as f:
                    f.write(text.strip() + "\n")

        if hasattr(_debug, "print_message"):
            _print_message = _debug.print_message

            def print_message(level, text, *args, **kwargs):
                _keep(text)
                return _print_message(level, text, *args, **kwargs)

            _debug.print_message = print_message
        if hasattr(_debug, "print_tokens"):
            _print_tokens = _debug.print_tokens

            def print_tokens(level, tokens, *args, **kwargs):
                _keep(" ".join(str(t) for t in tokens))
                return _print_tokens(level, tokens, *args, **kwargs)

            _debug.print_tokens = print_tokens
    except ImportError:
        pass
