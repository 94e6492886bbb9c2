#!/usr/bin/python3
"""Writes the term lists the builder's desktop check chooses, into DIR:
  terms.xlsx   a workbook of two sheets, "Терминдер" (a header row in Russian,
               40 terms, one category a number cell: 1993) and "Ескертпе";
  terms.csv    30 terms in UTF-8, ";" between fields, no header row, the
               Kazakh text first and the Russian second (the user must remap);
  large.csv    ROWS terms, for a build that is cancelled part way.
Usage: make_term_lists.py DIR ROWS"""

import sys
import zipfile
from xml.sax.saxutils import escape

folder, rows = sys.argv[1], int(sys.argv[2])
CATEGORIES = ["Химия", "Физика және астрономия", "Математика", 1993]


def xlsx(path, sheets):
    strings, index = [], {}

    def cell(ref, value):
        if isinstance(value, int):
            return f'<c r="{ref}"><v>{value}</v></c>'
        if value not in index:
            index[value] = len(strings)
            strings.append(value)
        return f'<c r="{ref}" t="s"><v>{index[value]}</v></c>'

    bodies = []
    for _, table in sheets:
        lines = []
        for r, row in enumerate(table, 1):
            cells = "".join(cell(f"{'ABC'[c]}{r}", v) for c, v in enumerate(row))
            lines.append(f'<row r="{r}">{cells}</row>')
        bodies.append('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                      '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
                      f'<sheetData>{"".join(lines)}</sheetData></worksheet>')
    main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                   '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                   '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                   '<Default Extension="xml" ContentType="application/xml"/>'
                   '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
                   + "".join(f'<Override PartName="/xl/worksheets/sheet{i}.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
                             for i in range(1, len(sheets) + 1))
                   + '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
                   '</Types>')
        z.writestr("_rels/.rels",
                   '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                   f'<Relationship Id="rId1" Type="{rel}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
        z.writestr("xl/workbook.xml",
                   f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><workbook xmlns="{main}" xmlns:r="{rel}"><sheets>'
                   + "".join(f'<sheet name="{escape(name)}" sheetId="{i}" r:id="rId{i}"/>'
                             for i, (name, _) in enumerate(sheets, 1))
                   + '</sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels",
                   '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                   + "".join(f'<Relationship Id="rId{i}" Type="{rel}/worksheet" Target="worksheets/sheet{i}.xml"/>'
                             for i in range(1, len(sheets) + 1))
                   + f'<Relationship Id="rId{len(sheets) + 1}" Type="{rel}/sharedStrings" Target="sharedStrings.xml"/>'
                   '</Relationships>')
        for i, body in enumerate(bodies, 1):
            z.writestr(f"xl/worksheets/sheet{i}.xml", body)
        z.writestr("xl/sharedStrings.xml",
                   f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><sst xmlns="{main}" count="{len(strings)}" uniqueCount="{len(strings)}">'
                   + "".join(f"<si><t>{escape(s)}</t></si>" for s in strings) + "</sst>")


terms = [["Русский", "Казахский", "Категория"]]
terms += [[f"кислота номер {i}", f"қышқыл нөмірі {i}", CATEGORIES[i % len(CATEGORIES)]] for i in range(1, 41)]
notes = [["Ескертпе"], ["Бұл парақта термин жоқ"]]
xlsx(f"{folder}/terms.xlsx", [("Терминдер", terms), ("Ескертпе", notes)])

with open(f"{folder}/terms.csv", "w", encoding="utf-8", newline="") as out:
    for i in range(1, 31):
        out.write(f"күш түрі {i};вид силы {i};Физика және астрономия\r\n")

with open(f"{folder}/large.csv", "w", encoding="utf-8", newline="") as out:
    chunk = []
    for i in range(1, rows + 1):
        chunk.append(f"термин {i};термин {i};Химия\n")
        if len(chunk) == 100000:
            out.write("".join(chunk))
            chunk = []
    out.write("".join(chunk))
