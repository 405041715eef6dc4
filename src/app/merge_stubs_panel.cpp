// The sheet buttons' handler until the preview's own stands beside it.
#include "forms/rys1.h"

void TForm1::tb_PreviewProfileClick(TObject*) {}
