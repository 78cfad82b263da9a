// Runs the fuzz targets on the kept inputs in the ordinary test run, so that a
// mended finding stays mended with any compiler: "fuzz_replay target folder...".
#include <QDirIterator>
#include <QFile>
#include <cstdio>

const char *TamselFuzzTarget = nullptr;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s target folder...\n", argv[0]);
        return 2;
    }
    TamselFuzzTarget = argv[1];
    LLVMFuzzerInitialize(&argc, &argv);
    int inputs = 0;
    for (int i = 2; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly))
                return 1;
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%s: %d inputs\n", argv[1], inputs);
    // A target without kept inputs proves nothing.
    return inputs > 0 ? 0 : 1;
}
