#include <cstdio>

int main() {
    std::puts("Zorv Editor: the launcher window is not built yet; the libraries and tests are.");
    return 0;
}
