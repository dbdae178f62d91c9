// The wisdom quotations: the readable list under assets/wisdoms/ and the INI file the
// wisdom screen reads ("data/wisdoms.ini").
//
// List syntax: "# comment" lines and blank lines are ignored; a line "[Group]" starts a
// group (a language); every other line is one quotation. The two characters \n inside a
// quotation force a line break on the screen and are written to the file as they stand.
// The file is UTF-8; every character must exist in ISO 8859-1.
#pragma once

#include "font_bake.h"
#include "text_source.h"

#include <string>
#include <vector>

constexpr size_t QUOTATION_MAX_CHARS = 168;

struct Quotation {
  int line = 0;
  std::string text;  // ISO 8859-1 bytes
};

struct QuotationGroup {
  int line = 0;
  std::string name;  // without the brackets
  std::vector<Quotation> quotations;
};

std::vector<QuotationGroup> ParseQuotations(const TextSource& source);
// "[Group]", "Anzahl=<count>", then "1=..." to "<count>=...", every line ended by CR LF.
std::string EncodeWisdomsIni(const std::vector<QuotationGroup>& groups);
// Lines the wisdom screen lays the quotation out on: words wrap at 500 pixels of the
// headline font, \n forces a break.
int WisdomScreenLines(const std::string& text, const FontWidths& headline);
