// The text resources: the English string table (lang/default.lang) from
// assets/lang/english.txt and the wisdom quotations (data/wisdoms.ini) from
// assets/wisdoms/wisdoms.txt.
#pragma once

#include "output.h"

void GenerateLang(Output& out, const Sources& sources);
void GenerateWisdoms(Output& out, const Sources& sources);
