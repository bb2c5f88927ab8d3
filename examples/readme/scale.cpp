#include "mivo/platform/host.h"
#include "mivo/scale/scale.h"

int main() {
  mivo::TScale scale;
  scale.SetBounds(0, 0, 400, 64);
  scale.SetRange(0, 250);
  scale.HandleNeeded();             // gets its window, which asks for a first paint
  mivo::Host().ProcessMessages();   // paints it
  scale.Surface().SaveToFile("scale.png");
}
