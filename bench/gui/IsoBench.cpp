// The window "Ansicht wie im Spiel" with 10,000 items of 1,000 graphics from a made-up client
// folder (offscreen): from the click to the first complete picture (the client's files opened and
// read, the art decoded), and one repaint while panning, at scale 1 and with the whole building
// fitted in. The memory the window takes is reported as a counter. Built into tarvek-plan-bench,
// whose main starts the application.
#include "calc/ItemRecord.h"
#include "views/art/ArtSource.h"
#include "views/iso/IsoView.h"
#include "views/iso/TSpielansicht.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kItems = 10000;
constexpr std::uint32_t kGraphics = 1000;
constexpr std::uint32_t kFirstGraphic = 2000;

void put(Bytes& bytes, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void write(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Graphic n: 44 pixels wide, 30 to 90 high, an upright block whose sides narrow by a pixel a row
// at the top, in a colour of its own.
Bytes itemGraphic(std::uint32_t n)
{
    const int height = 30 + int(n % 61);
    Bytes rows;
    Bytes bytes;
    put(bytes, 0, 4);
    put(bytes, 44, 2);
    put(bytes, static_cast<std::uint64_t>(height), 2);
    for (int y = 0; y < height; ++y) {
        put(bytes, rows.size() / 2, 2);
        const int margin = y < 22 ? 21 - y : 0;
        put(rows, static_cast<std::uint64_t>(margin), 2);
        put(rows, static_cast<std::uint64_t>(44 - 2 * margin), 2);
        for (int x = margin; x < 44 - margin; ++x) {
            put(rows, 0x0421u * (1 + n % 29) + std::uint32_t(x < 22), 2);
        }
        put(rows, 0, 4);
    }
    bytes.insert(bytes.end(), rows.begin(), rows.end());
    return bytes;
}

// A client folder under the temporary folder: artidx.mul + art.mul, tiledata.mul (newer layout,
// every third graphic with a height, every tenth Background) and hues.mul.
class ClientFolder
{
public:
    ClientFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("tarvek-iso-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_path);
        const std::uint32_t entries = 0x4000 + kFirstGraphic + kGraphics;
        Bytes index;
        Bytes data;
        for (std::uint32_t i = 0; i < entries; ++i) {
            const bool item = i >= 0x4000 + kFirstGraphic;
            const Bytes art = item ? itemGraphic(i - 0x4000) : Bytes();
            put(index, item ? data.size() : 0xFFFFFFFFu, 4);
            put(index, item ? art.size() : 0xFFFFFFFFu, 4);
            put(index, 0, 4);
            data.insert(data.end(), art.begin(), art.end());
        }
        write(m_path / "artidx.mul", index);
        write(m_path / "art.mul", data);
        Bytes tiles(512 * (4 + 32 * 30), 0);
        const std::uint32_t groups = (kFirstGraphic + kGraphics) / 32 + 1;
        for (std::uint32_t g = 0; g < groups * 32; ++g) {
            if (g % 32 == 0) {
                put(tiles, 0, 4);
            }
            put(tiles, g % 10 == 0 ? 1 : 0, 8);
            tiles.resize(tiles.size() + 12, 0);
            tiles.push_back(static_cast<std::uint8_t>(g % 3 == 0 ? 5 : 0));
            tiles.resize(tiles.size() + 20, 0);
        }
        write(m_path / "tiledata.mul", tiles);
        Bytes hues;
        for (int group = 0; group < 4; ++group) {
            put(hues, 0, 4);
            for (int entry = 0; entry < 8; ++entry) {
                for (int c = 0; c < 32; ++c) {
                    put(hues, static_cast<std::uint64_t>(c * 0x0400 + entry), 2);
                }
                hues.resize(hues.size() + 24, 0);
            }
        }
        write(m_path / "hues.mul", hues);
    }
    ~ClientFolder() { std::filesystem::remove_all(m_path); }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const ClientFolder& folder()
{
    static const ClientFolder client;
    return client;
}

// 10,000 items on a 70 x 70 cell house of four levels, each cell's items stacked.
const tarvek::ItemRecord& record()
{
    static const tarvek::ItemRecord items = [] {
        std::mt19937 random(7);
        tarvek::ItemRecord record;
        for (int i = 0; i < kItems; ++i) {
            tarvek::RecordedItem item;
            item.graphic = std::int32_t(kFirstGraphic + random() % kGraphics);
            item.x = 1000 + int(random() % 70);
            item.y = 2000 + int(random() % 70);
            item.z = 20 * int(random() % 4);
            item.colour = random() % 5 == 0 ? int(random() % 32) : 0;
            item.hasPosition = true;
            item.hasColour = true;
            item.flags = random() % 50 == 0 ? 1u : 0u; // now and then a finding
            record.addRecordedItem(item);
        }
        record.finish();
        return record;
    }();
    return items;
}

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// From the click to the first complete picture: the files opened, read and decoded afresh.
void BM_IsoFirstPicture(benchmark::State& state)
{
    folder();
    record();
    const long before = residentKiB();
    for (auto _ : state) {
        TSpielansicht window;
        window.resize(1024, 768);
        QImage target(window.view()->size(), QImage::Format_RGB32);
        window.showBuilding(record(),
                            std::make_shared<const tarvek::art::ArtSource>(folder().path()));
        window.view()->render(&target);
        benchmark::DoNotOptimize(target.bits());
        state.PauseTiming();
        state.counters["MiB"] = double(residentKiB() - before) / 1024;
        state.ResumeTiming();
    }
    state.SetLabel("10000 Items, 1000 Grafiken");
}
BENCHMARK(BM_IsoFirstPicture)->Unit(benchmark::kMillisecond)->Iterations(5);

// One repaint after the arrow key has panned the view by 32 pixels. Argument: 1 at scale 1,
// 0 with the whole building fitted in.
void BM_IsoPanRepaint(benchmark::State& state)
{
    TSpielansicht window;
    window.resize(1024, 768);
    window.showBuilding(record(), std::make_shared<const tarvek::art::ArtSource>(folder().path()));
    tarvek::iso::IsoView& view = *window.view();
    while (state.range(0) != 0 && view.scale() < 1) {
        QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+"));
        QApplication::sendEvent(&view, &plus);
    }
    QImage target(view.size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const Qt::Key key = (step++ / 20) % 2 == 0 ? Qt::Key_Left : Qt::Key_Right;
        QKeyEvent pan(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&view, &pan);
        view.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
    state.SetLabel(state.range(0) != 0 ? "Maßstab 1" : "eingepasst");
}
BENCHMARK(BM_IsoPanRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
