// Expansion of the annotation editors' description codes.
#include "model/annotations.h"

void oslonowe_uzupelnij_opis(const std::string& pattern, uint16_t, uint16_t, std::string& out) { out = pattern; }

void teren_uzupelnij_opis(const std::string& pattern, uint16_t, uint16_t, std::string& out) { out = pattern; }

void rzedne_uzupelnij_opis(const std::string& pattern, uint16_t, uint16_t, std::string& out) { out = pattern; }

void kolizje_uzupelnij_opis(const std::string& pattern, uint16_t, uint16_t, int, std::string& out) { out = pattern; }
