// Kalvet in a browser: takes hold of the window in the page once the program has loaded, and
// keeps it for as long as the page is open.
#include "app/web/main_window.h"

int main() {
    static kalvet::web::MainWindow window;
    return 0;
}
