// Replays the fuzz entry over every file of a corpus directory (default: the seed corpus),
// built with the ordinary compiler, so the corpus runs as a test everywhere.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size);

int main(int argc, char** argv)
{
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(TK_FUZZ_CORPUS);
    const QStringList names = QDir(dir).entryList(QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        std::fprintf(stderr, "no corpus files in %s\n", qPrintable(dir));
        return 1;
    }
    for (const QString& name : names) {
        QFile file(QDir(dir).filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    }
    std::printf("replayed %lld corpus files\n", static_cast<long long>(names.size()));
    return 0;
}
