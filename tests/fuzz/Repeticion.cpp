// Runs a fuzz target's entry function over files and folders of inputs, as the fuzzer does
// when it replays its corpus: the ordinary build's way of keeping every crash found fixed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano);

namespace {

std::vector<std::filesystem::path> Entradas(const std::filesystem::path& ruta) {
    std::vector<std::filesystem::path> archivos;
    if (std::filesystem::is_directory(ruta)) {
        for (const auto& e : std::filesystem::recursive_directory_iterator(ruta))
            if (e.is_regular_file()) archivos.push_back(e.path());
        std::sort(archivos.begin(), archivos.end());
    } else if (std::filesystem::is_regular_file(ruta)) {
        archivos.push_back(ruta);
    }
    return archivos;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Uso: %s ENTRADA|CARPETA...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::filesystem::path> archivos = Entradas(argv[i]);
        if (archivos.empty()) {
            std::fprintf(stderr, "%s: no hay entradas\n", argv[i]);
            return 1;  // a corpus that vanished must not pass in silence
        }
        for (const auto& archivo : archivos) {
            std::ifstream f(archivo, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(f),
                                          std::istreambuf_iterator<char>()};
            std::printf("%s\n", archivo.c_str());
            std::fflush(stdout);  // the last name printed is the input that crashed
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        }
    }
    return 0;
}
