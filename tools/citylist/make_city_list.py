#!/usr/bin/env python3
"""Builds data/korvana.csv, Korvana's city list, from GeoNames places.

Run `npm install` in tools/citylist first; this script runs extract.js there
(GeoNames places with their IANA time zone) and writes one place a line:

    city;country;standard time zone in hours;latitude;longitude

with a decimal comma, degrees to two decimals (north and east positive),
CR LF line ends and ASCII names of at most 15 characters, sorted by country
and city. The time zone is the standard offset (daylight saving left out) of
the place's IANA zone in REFERENCE_YEAR, from the tz database on this machine
(Python's zoneinfo over Debian's tzdata).
"""

import json
import math
import os
import subprocess
import sys
import unicodedata
from datetime import datetime, timezone
from zoneinfo import ZoneInfo

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUTPUT = os.path.join(ROOT, "data", "korvana.csv")
ISO_3166 = "/usr/share/iso-codes/json/iso_3166-1.json"

REFERENCE_YEAR = 2025   # the year whose standard offsets the list carries
TARGET_PLACES = 7000    # places in the list
TOP_PER_COUNTRY = 3     # the largest places of every country are always in
NAME_CHARS = 15         # the program keeps 15 characters of a name
NEAR_KM = 10            # same name, same country, closer than this: one place

# Sections, historical, abandoned and destroyed places are not places to pray in.
SKIPPED_FEATURES = {"PPLX", "PPLH", "PPLQ", "PPLW", "PPLCH"}

# Letters that Unicode decomposition does not take back to ASCII.
SPECIAL_LETTERS = {
    "ß": "ss", "æ": "ae", "Æ": "Ae", "ø": "o", "Ø": "O", "œ": "oe", "Œ": "Oe",
    "đ": "d", "Đ": "D", "ł": "l", "Ł": "L", "ı": "i", "ð": "d", "Ð": "D",
    "þ": "th", "Þ": "Th", "ħ": "h", "Ħ": "H", "ŋ": "ng", "ʼ": "'", "‘": "'",
    "’": "'", "`": "'", "´": "'", "–": "-", "—": "-",
}

# Country names longer than 15 characters (or not plain ASCII), as the list
# writes them.
SHORT_COUNTRIES = {
    "AE": "UAE", "AG": "Antigua-Barbuda", "AX": "Aland Islands", "BA": "Bosnia-Herzeg.",
    "BL": "St. Barthelemy", "BN": "Brunei", "BQ": "Caribbean Neth.", "CC": "Cocos Islands",
    "CD": "DR Congo", "CF": "Central African", "CI": "Ivory Coast", "CW": "Curacao",
    "CX": "Christmas Isl.", "DO": "Dominican Rep.", "FK": "Falkland Isl.", "FM": "Micronesia",
    "GB": "United Kingdom", "GQ": "Equat. Guinea", "GS": "South Georgia", "HM": "Heard Island",
    "IO": "Brit. Ind. Ocn.", "KN": "St. Kitts-Nevis", "KP": "North Korea", "KR": "South Korea",
    "LA": "Laos", "MD": "Moldova", "MF": "St. Martin", "MH": "Marshall Isl.",
    "MP": "N. Mariana Isl.", "PF": "Fr. Polynesia", "PG": "Papua N. Guinea",
    "PM": "St. Pierre", "PS": "Palestine", "RE": "Reunion", "RU": "Russia",
    "SH": "St. Helena", "SJ": "Svalbard", "ST": "Sao Tome", "SX": "Sint Maarten",
    "SY": "Syria", "TC": "Turks-Caicos", "TF": "Fr. Southern T.", "TR": "Turkiye",
    "TT": "Trinidad-Tobago", "TW": "Taiwan", "TZ": "Tanzania", "UM": "US Minor Isl.",
    "US": "United States", "VA": "Vatican", "VC": "St. Vincent", "VE": "Venezuela",
    "VG": "Brit. Virgin I.", "VI": "US Virgin Isl.", "VN": "Viet Nam", "WF": "Wallis-Futuna",
    "XK": "Kosovo", "BO": "Bolivia", "IR": "Iran",
}

# Words shortened, in this order, while a city name is too long; used only
# when they make the name fit.
ABBREVIATIONS = [
    ("Saint ", "St. "), ("Sainte ", "Ste. "), ("Fort ", "Ft. "), ("Mount ", "Mt. "),
    ("Port ", "Pt. "), ("Ciudad ", "Cd. "),
]


def ascii_text(text):
    """The text in plain ASCII letters, or None when that is impossible."""
    text = "".join(SPECIAL_LETTERS.get(ch, ch) for ch in text)
    text = unicodedata.normalize("NFKD", text)
    text = "".join(ch for ch in text if not unicodedata.combining(ch))
    # ";" parts the fields and the reader takes every "," for a decimal point.
    text = " ".join(text.replace(";", " ").replace(",", " ").split())
    if not text or not text.isascii() or not all(32 <= ord(ch) < 127 for ch in text):
        return None
    return text


def short_city(name):
    """A city name of at most NAME_CHARS characters: without a note in
    parentheses, then with common words abbreviated when that makes it fit,
    else cut as the program itself would cut it."""
    if len(name) > NAME_CHARS and "(" in name:
        name = name.split("(")[0].strip()
    if len(name) <= NAME_CHARS:
        return name
    shortened = name
    for long_word, short_word in ABBREVIATIONS:
        if shortened.startswith(long_word):
            shortened = short_word + shortened[len(long_word):]
        shortened = shortened.replace(" " + long_word, " " + short_word)
        if len(shortened) <= NAME_CHARS:
            return shortened
    return name[:NAME_CHARS].rstrip(" -'.")


def country_names():
    with open(ISO_3166, encoding="utf-8") as f:
        entries = json.load(f)["3166-1"]
    names = {}
    for e in entries:
        code = e["alpha_2"]
        name = SHORT_COUNTRIES.get(code) or ascii_text(e.get("common_name", e["name"]))
        if name is None or len(name) > NAME_CHARS or "," in name:
            sys.exit(f"country {code} needs a short name: {e['name']}")
        names[code] = name
    names.setdefault("XK", SHORT_COUNTRIES["XK"])  # not in ISO 3166 yet
    return names


def standard_offset_minutes(zone_name, lon, cache={}):
    """Minutes east of UTC without daylight saving: the smaller of the
    January and July offsets of REFERENCE_YEAR (daylight saving adds time in
    either hemisphere, and a zone with 'negative' daylight saving such as
    Europe/Dublin keeps its winter offset as the standard one)."""
    if zone_name is None:
        return 60 * round(lon / 15)  # open sea: the nautical zone
    if zone_name not in cache:
        zone = ZoneInfo(zone_name)
        offsets = []
        for month in (1, 7):
            moment = datetime(REFERENCE_YEAR, month, 15, 12, tzinfo=timezone.utc).astimezone(zone)
            offsets.append(moment.utcoffset().total_seconds() / 60)
        cache[zone_name] = int(min(offsets))
    return cache[zone_name]


def hours_text(minutes):
    hours = minutes / 60
    text = f"{hours:.2f}".rstrip("0").rstrip(".")
    return text.replace(".", ",")


def degrees_text(value):
    text = f"{value:.2f}"
    if text in ("-0.00",):
        text = "0.00"
    return text.replace(".", ",")


def distance_km(a, b):
    lat1, lat2 = math.radians(a["lat"]), math.radians(b["lat"])
    dlat = lat2 - lat1
    dlon = math.radians(b["lon"] - a["lon"])
    h = math.sin(dlat / 2) ** 2 + math.cos(lat1) * math.cos(lat2) * math.sin(dlon / 2) ** 2
    return 2 * 6371 * math.asin(math.sqrt(min(1, h)))


def main():
    extracted = subprocess.run(["node", os.path.join(HERE, "extract.js")], cwd=HERE,
                               check=True, capture_output=True, text=True).stdout
    countries = country_names()
    places = []
    for line in extracted.splitlines():
        p = json.loads(line)
        if p["feature"] in SKIPPED_FEATURES or p["country"] not in countries:
            continue
        name = ascii_text(p["name"]) or ascii_text(p["altName"] or "")
        if name is None:
            continue
        p["city"] = short_city(name)
        places.append(p)
    places.sort(key=lambda p: (-p["population"], p["id"]))

    chosen = {}
    per_country = {}
    for p in places:  # capitals and the largest places of every country
        count = per_country.get(p["country"], 0)
        if p["feature"] == "PPLC" or count < TOP_PER_COUNTRY:
            chosen[p["id"]] = p
            per_country[p["country"]] = count + 1
    for p in places:  # then the largest places of the world
        if len(chosen) >= TARGET_PLACES:
            break
        chosen.setdefault(p["id"], p)

    # One place for a name that GeoNames holds twice a few kilometres apart.
    kept = []
    by_name = {}
    for p in sorted(chosen.values(), key=lambda p: (-p["population"], p["id"])):
        twins = by_name.setdefault((p["country"], p["city"].lower()), [])
        if any(distance_km(p, q) < NEAR_KM for q in twins):
            continue
        twins.append(p)
        kept.append(p)

    kept.sort(key=lambda p: (countries[p["country"]].lower(), p["city"].lower(), -p["population"]))
    rows = []
    for p in kept:
        offset = standard_offset_minutes(p["zone"], p["lon"])
        rows.append(";".join([p["city"], countries[p["country"]], hours_text(offset),
                              degrees_text(p["lat"]), degrees_text(p["lon"])]))
    with open(OUTPUT, "w", encoding="ascii", newline="") as f:
        f.write("".join(row + "\r\n" for row in rows))
    print(f"{len(rows)} places written to {os.path.relpath(OUTPUT, ROOT)}")


if __name__ == "__main__":
    main()
