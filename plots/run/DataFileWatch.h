// Notices when the run's plot data file is written again while it is shown (a solver tool
// finished another run under the same name), and tells once the new file is whole: every point
// and every curve block it declares is there, and its writer has closed it (inotify's
// close-after-write event) or, where that is not reported, it has been quiet for a while. A
// file replaced by renaming a new one over it is noticed as well as one written in place. A
// file that stays short of whole for StallMs after its last change is told once as stalled.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

class QSocketNotifier;

namespace plots {

class DataFileWatch : public QObject {
    Q_OBJECT
public:
    using Settled = std::function<void(const std::string& path)>;
    // The path and what it lacks, in words ("65 of its 100 points are there").
    using Stalled = std::function<void(const std::string& path, const std::string& lacks)>;

    DataFileWatch(Settled settled, Stalled stalled, QObject* parent = nullptr);
    ~DataFileWatch() override;
    // Watches this file from its present state on; an empty path stops watching.
    void Watch(const std::string& path);
    const std::string& Path() const { return path_; }
    // False where the platform does not report a writer's close (the quiet-time rule alone).
    bool SeesCloses() const { return notifier_ != nullptr; }

    // Quiet time after which a whole file counts as written where closes are not reported, and
    // where its writer keeps it open.
    static constexpr int SettleMs = 500;
    static constexpr int OpenWriterMs = 3000;
    // How long a file may stay short of whole after its last change before it is told.
    static constexpr int DefaultStallMs = 10000;
    void SetStallMs(int ms) { stall_.setInterval(ms); }

    // What a plot data file lacks to be whole, in words; empty when it is whole.
    static std::string Lacks(const std::string& path);

private:
    struct Signature {
        bool Exists = false;
        long long Size = 0, ModifiedNs = 0, Inode = 0;
        bool operator==(const Signature&) const = default;
    };
    static Signature SignatureOf(const std::string& path);
    void StartInotify();
    void ReadInotify();
    void Changed(bool closed);
    void Touched();
    void Check();
    void Stall();

    Settled settled_;
    Stalled stalled_;
    int inotify_ = -1;
    int dirWatch_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QFileSystemWatcher watcher_;  // where inotify is not to be had
    QTimer settle_, stall_;
    std::string path_, name_;
    Signature known_;    // as the viewer read it last
    Signature pending_;  // as it was at the last look while it changed
    bool closed_ = false;  // its writer closed it after the last change
    std::string told_;   // what the stalled file lacked when it was told
};

}  // namespace plots
