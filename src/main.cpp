#include <cstdio>

int main(int, char**) {
    std::fputs("halvoren: the window front end is not built yet.\n", stderr);
    return 1;
}
