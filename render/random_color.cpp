#include "render/random_color.h"

#include <cstdlib>
#include <ctime>

namespace ovilan {

ColorIndex reseededRandomColor()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    return nextRandomColor();
}

ColorIndex nextRandomColor() { return std::rand() % 15; }

} // namespace ovilan
