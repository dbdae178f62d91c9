// The fonts part of the generator: the four shared bitmap fonts, baked with FreeType from
// Debian's free fonts (font_bake.h) and painted in their two looks (font_look.h): the
// headline pair (titles, menu entries, quotations) and the main pair (body text), each a
// normal white font and its gold hover variant with a byte-identical descriptor.
#pragma once

#include "font_bake.h"
#include "output.h"

// The faces and sizes the fonts are baked from; other generators use them to check that
// their texts fit the screens that show them.
FontSpec HeadlineFontSpec();
FontSpec MainFontSpec();

void GenerateHeadlineFonts(Output& out, const Sources& sources);
void GenerateMainFonts(Output& out, const Sources& sources);
