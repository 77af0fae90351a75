#pragma once

class QDialog;
class QWidget;

namespace ovilan {

// The width a window needs for its title bar to show its whole title: the title in the title
// bar's bold font, plus the window icon and the minimise, maximise and close buttons the window
// manager puts beside it.
int titleBarWidth(const QWidget& window);

// Keeps `dialog` fitted to what it shows, for as long as it lives: it opens as large as its
// contents ask (Qt alone would stop at two thirds of the screen, cutting a wide grid on a scaled
// screen), within the screen, and it is never narrower than its title bar needs.
void keepDialogFitted(QDialog& dialog);

} // namespace ovilan
