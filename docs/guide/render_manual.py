"""Writes the user guide as one HTML page: render_manual.py MANUAL.md VERSION OUT.html

The guide is kept in Markdown so that it reads well in the repository too; the
window's Help opens the HTML page, with its pictures in images/ beside it.
"""
import html
import sys

import markdown

PAGE = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Vardane {version} user guide</title>
<style>
body {{ font-family: sans-serif; line-height: 1.5; max-width: 60em; margin: 2em auto; padding: 0 1em; color: #222; }}
h1, h2, h3 {{ line-height: 1.2; }}
h2 {{ border-bottom: 1px solid #ccc; padding-bottom: 0.2em; margin-top: 2em; }}
code, pre {{ font-family: monospace; background: #f4f4f4; }}
pre {{ padding: 0.6em; overflow-x: auto; }}
table {{ border-collapse: collapse; margin: 1em 0; }}
th, td {{ border: 1px solid #ccc; padding: 0.3em 0.6em; vertical-align: top; text-align: left; }}
img {{ max-width: 100%; border: 1px solid #ccc; }}
footer {{ margin-top: 3em; color: #666; font-size: 0.9em; }}
</style>
</head>
<body>
{body}
<footer>Vardane {version}</footer>
</body>
</html>
"""


def main(source, version, target):
    with open(source, encoding="utf-8") as f:
        text = f.read()
    body = markdown.markdown(text, extensions=["toc", "tables", "fenced_code"])
    with open(target, "w", encoding="utf-8") as f:
        f.write(PAGE.format(version=html.escape(version), body=body))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: render_manual.py MANUAL.md VERSION OUT.html")
    main(*sys.argv[1:])
