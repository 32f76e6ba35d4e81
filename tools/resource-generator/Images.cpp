#include "Images.h"

namespace MyApp::Generator {

void Mask::Fill(int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) Set(x, y);
    }
}

}  // namespace MyApp::Generator
