#!/usr/bin/env python3
"""Checks the shipped translations against the sources:

    check-translations.py LUPDATE SOURCE_DIR LANGUAGE...

For each language, translations/morvane-color-picker_<language>.ts is brought up to date with
the sources in a scratch copy (lupdate, as a translator would), and the check fails on a
message left unfinished (new in the sources, or never translated), a message the sources no
longer have, or a translation that drops or adds a %1-style placeholder, a {name} template
placeholder or the closing line break. The desktop entry and the AppStream metadata must carry
each language as well. Prints one line per fault; exits 1 when there is any.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r'%L?\d+|%n|\{[a-z%0-9]+\}')
APP_ID = 'dev.morvane.colorpicker'


def placeholders(text):
    return sorted(PLACEHOLDER.findall(text or ''))


def check_ts(lupdate, source_dir, language, scratch):
    faults = []
    name = f'morvane-color-picker_{language}.ts'
    shipped = os.path.join(source_dir, 'translations', name)
    if not os.path.exists(shipped):
        return [f'{name}: missing']
    updated = os.path.join(scratch, name)
    shutil.copyfile(shipped, updated)
    subprocess.run([lupdate, '-silent', '-locations', 'none', '-no-ui-lines', '-recursive',
                    'app', 'core', 'platform', '-target-language', language, '-ts', updated],
                   cwd=source_dir, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for context in ET.parse(updated).getroot().iter('context'):
        where = f'{name}: {context.findtext("name")}'
        for message in context.iter('message'):
            source = message.findtext('source')
            translation = message.find('translation')
            kind = translation.get('type')
            text = translation.text or ''
            if kind in ('obsolete', 'vanished'):
                faults.append(f'{where}: no longer in the sources: {source!r}')
            elif kind == 'unfinished' or not text:
                faults.append(f'{where}: not translated: {source!r}')
            elif placeholders(source) != placeholders(text):
                faults.append(f'{where}: placeholders {placeholders(source)} became '
                              f'{placeholders(text)}: {text!r}')
            elif source.endswith('\n') != text.endswith('\n'):
                faults.append(f'{where}: the closing line break differs: {text!r}')
    return faults


def check_desktop_entry(source_dir, languages):
    faults = []
    path = os.path.join(source_dir, 'packaging', f'{APP_ID}.desktop')
    group, keys = None, set()
    with open(path, encoding='utf-8') as entry:
        for line in entry:
            line = line.strip()
            if line.startswith('['):
                group = line
            elif '=' in line:
                keys.add((group, line.split('=', 1)[0]))
    wanted = [('[Desktop Entry]', key) for key in ('GenericName', 'Comment', 'Keywords')]
    wanted.append(('[Desktop Action pick]', 'Name'))
    for language in languages:
        for group, key in wanted:
            if (group, f'{key}[{language}]') not in keys:
                faults.append(f'{APP_ID}.desktop: {group} has no {key}[{language}]')
    return faults


def check_metainfo(source_dir, languages):
    faults = []
    lang = '{http://www.w3.org/XML/1998/namespace}lang'
    root = ET.parse(os.path.join(source_dir, 'packaging', f'{APP_ID}.metainfo.xml')).getroot()
    parts = [root.findall('summary')]
    description = root.find('description')
    parts += [description.findall('p'), description.findall('ul/li')]
    for elements in parts:
        originals = [e for e in elements if lang not in e.attrib]
        for language in languages:
            count = sum(1 for e in elements if e.get(lang) == language)
            if count != len(originals):
                faults.append(f'{APP_ID}.metainfo.xml: {len(originals)} <{originals[0].tag}> '
                              f'in English, {count} in {language}')
    return faults


def main():
    lupdate, source_dir, languages = sys.argv[1], sys.argv[2], sys.argv[3:]
    faults = []
    with tempfile.TemporaryDirectory() as scratch:
        for language in languages:
            faults += check_ts(lupdate, source_dir, language, scratch)
    faults += check_desktop_entry(source_dir, languages)
    faults += check_metainfo(source_dir, languages)
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print(f'{len(languages)} languages: every message translated, placeholders kept')
    return 0


if __name__ == '__main__':
    sys.exit(main())
