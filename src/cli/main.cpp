// zv-cli: runs one menu command of zv headless.
#include <cstdio>

int main() {
    std::fputs("usage: zv-cli [--yes | --no] COMMAND [ARGUMENTS]\n", stderr);
    return 2;
}
