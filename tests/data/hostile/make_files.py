#!/usr/bin/env python3
"""Writes the hostile input files of this folder again (see README.md).

Run from anywhere: python3 tests/data/hostile/make_files.py. The files are
kept in the repository; this script says how each was made."""

import os
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
MAIN = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
RELS = 'xmlns="http://schemas.openxmlformats.org/package/2006/relationships"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
TYPE = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
CONTENT_TYPES = (
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/></Types>'
)


def rels(*items):
    inner = "".join(
        f'<Relationship Id="rId{i + 1}" Type="{TYPE}{kind}" Target="{target}"/>'
        for i, (kind, target) in enumerate(items)
    )
    return f"<Relationships {RELS}>{inner}</Relationships>"


def write_book(name, parts):
    path = os.path.join(HERE, "workbooks", name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for part, text in parts.items():
            info = zipfile.ZipInfo(part, date_time=(2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, text)


def query_book(workbook_part, table_name, block_name, connection, command, sheet_data):
    """A one-sheet workbook whose sheet holds one query table over A1:A2."""
    folder = workbook_part.rsplit("/", 1)[0]
    rels_part = f"{folder}/_rels/{workbook_part.rsplit('/', 1)[1]}.rels"
    return {
        "[Content_Types].xml": CONTENT_TYPES,
        "_rels/.rels": rels(("officeDocument", workbook_part)),
        workbook_part: f'<workbook {MAIN} {R}><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets>'
        f'<definedNames><definedName name="{block_name}" localSheetId="0" hidden="1">S!$A$1:$A$2</definedName>'
        "</definedNames></workbook>",
        rels_part: rels(("worksheet", "worksheets/sheet1.xml"), ("connections", "connections.xml")),
        f"{folder}/worksheets/sheet1.xml": f"<worksheet {MAIN}><sheetData>{sheet_data}</sheetData></worksheet>",
        f"{folder}/worksheets/_rels/sheet1.xml.rels": rels(("queryTable", "../queryTables/queryTable1.xml")),
        f"{folder}/queryTables/queryTable1.xml": f'<queryTable {MAIN} name="{table_name}" connectionId="1"/>',
        f"{folder}/connections.xml": f'<connections {MAIN}><connection id="1" name="c" type="5">'
        f'<dbPr connection="{connection}" command="{command}" commandType="2"/></connection></connections>',
    }


MEMORY = "Provider=SQLite;Data Source=:memory:"
HEADED = '<row r="1"><c r="A1" t="inlineStr"><is><t>n</t></is></c></row><row r="2"><c r="A2"><v>1</v></c></row>'

# The workbook part has a name longer than a short string's inline buffer, so
# a copy of it read from a freed relationship list is garbled.
write_book(
    "long_workbook_part_name.xlsx",
    query_book("xl/the_workbook_part_of_this_book.xml", "Q", "Q", MEMORY, "SELECT 7 AS n", HEADED),
)
# The command text's _x0000_ decodes to a NUL character.
write_book("nul_in_command_text.xlsx", query_book("xl/workbook.xml", "Q", "Q", MEMORY, "SELECT 1_x0000_", HEADED))
# The query table's name holds escape sequences that would colour a terminal
# red and set its title; the database's message names them again.
write_book(
    "terminal_escapes.xlsx",
    query_book(
        "xl/workbook.xml",
        "Q_x001b_[31mred_x001b_]0;owned_x0007_",
        "Q__31mred__0_owned_",
        MEMORY,
        "SELECT * FROM _x001b_[2J",
        HEADED,
    ),
)

# A settings file whose only connection's name holds raw escape sequences.
os.makedirs(os.path.join(HERE, "settings"), exist_ok=True)
with open(os.path.join(HERE, "settings", "terminal_escapes.xml"), "wb") as f:
    f.write(
        b'<?xml version="1.0" encoding="UTF-8"?>\r\n<connections>\r\n\t<connection1>\r\n'
        b"\t\t<name>Sales\x1b[2J\x1b]0;owned\x07\xc2\x9b6n</name>\r\n"
        b"\t\t<value>Provider=SQLite;Data Source=:memory:</value>\r\n\t</connection1>\r\n</connections>\r\n"
    )
