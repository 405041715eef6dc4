#include "forms/rys1.h"

void TForm1::nanies_kontury() {}
