// formidor-cli: the headless side of Formidor.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::printf("Aufruf: formidor-cli BEFEHL [OPTIONEN]\n");
        return argc < 2 ? 2 : 0;
    }
    std::fprintf(stderr, "formidor-cli: unbekannter Befehl '%s'\n", argv[1]);
    return 2;
}
