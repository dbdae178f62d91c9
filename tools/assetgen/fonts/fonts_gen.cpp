#include "fonts_gen.h"

#include "font_look.h"

namespace {

// Debian font packages (see scripts/deps.sh); their licences are in assets/fonts/.
const char* const HEADLINE_FACE = "/usr/share/fonts/truetype/averia-gwf/AveriaSerifGWF-Bold.ttf";
const char* const MAIN_FACE = "/usr/share/fonts/opentype/cabin/Cabin-Medium.otf";

void WriteFontPair(Output& out, const std::string& name, const FontSpec& spec,
                   const GlowStyle& hover) {
  const BakedFont font = BakeFont(spec);
  const std::string base = "gfx/fonts/" + name;
  // Both descriptors name the normal strip, as the hover variant is the same font.
  const std::vector<uint8_t> fnt = FntDescriptor("../" + base + ".png", spec.cell, font.widths);
  out.WriteBytes(base + ".fnt", fnt);
  out.WriteBytes(base + "_hover.fnt", fnt);
  out.WritePng(base + ".png", WhiteStrip(font));
  out.WritePng(base + "_hover.png", GoldStrip(font, hover));
}

}  // namespace

FontSpec HeadlineFontSpec() {
  FontSpec spec;
  spec.file = HEADLINE_FACE;
  spec.pixelSize = 41;
  spec.cell = 64;
  spec.spaceWidth = 15;
  spec.originX = 4;
  spec.margin = 4;
  return spec;
}

FontSpec MainFontSpec() {
  FontSpec spec;
  spec.file = MAIN_FACE;
  spec.pixelSize = 22;
  spec.cell = 32;
  spec.spaceWidth = 7;
  spec.originX = 2;
  spec.margin = 1;
  return spec;
}

void GenerateHeadlineFonts(Output& out, const Sources&) {
  GlowStyle hover;
  hover.rimRadius = 1.1;
  hover.rimStrength = 2.2;
  hover.glowRadius = 3.2;
  hover.glowStrength = 0.55;
  WriteFontPair(out, "Headline", HeadlineFontSpec(), hover);
}

void GenerateMainFonts(Output& out, const Sources&) {
  GlowStyle hover;
  hover.rimRadius = 0.7;
  hover.rimStrength = 1.8;
  hover.glowRadius = 1.6;
  hover.glowStrength = 0.45;
  WriteFontPair(out, "Main", MainFontSpec(), hover);
}
