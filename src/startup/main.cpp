#include "Arranque.h"

int main(int argc, char** argv) {
    return EjecutarAverias(argc, argv);
}
