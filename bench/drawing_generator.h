// The drawing file of the reading benchmarks: an R12 file of 400,000
// entities (lines, polylines with their vertices, arcs, circles, texts and
// inserts of a few blocks, some with an attribute, on a few layers), made
// deterministically, with what it holds.
#pragma once

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

namespace drawing_generator {

constexpr int kEntities = 400000;

// What the file holds, by entity class, and the polyline vertices.
struct drawing_counts {
    std::map<std::string, int64_t> entities;  // "LINE" -> count
    int64_t vertices = 0;
    int64_t attributes = 0;
    int64_t total() const {
        int64_t n = 0;
        for (const auto& [kind, count] : entities) n += count;
        return n;
    }
    bool operator==(const drawing_counts&) const = default;
    std::string text() const {
        std::string s;
        for (const auto& [kind, count] : entities) s += kind + " " + std::to_string(count) + ", ";
        return s + "vertices " + std::to_string(vertices) + ", attributes " + std::to_string(attributes);
    }
};

// A deterministic stream of numbers (the same file on every machine).
class Numbers {
public:
    uint64_t next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return state_ >> 33;
    }
    // A value in [low, low + span).
    double in(double low, double span) { return low + span * static_cast<double>(next() % 1000000007) / 1000000007.0; }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_ = 0x243F6A8885A308D3ULL;
};

// Groups as a CAD program writes them: the code right-aligned in three
// places, CR LF after each line.
class R12Writer {
public:
    void group(int code, const char* value) {
        char line[32];
        const int n = std::snprintf(line, sizeof line, "%3d\r\n", code);
        out_.append(line, static_cast<std::size_t>(n));
        out_ += value;
        out_ += "\r\n";
    }
    void group(int code, const std::string& value) { group(code, value.c_str()); }
    void integer(int code, int value) { group(code, std::to_string(value)); }
    void real(int code, double value) {
        char text[64];
        std::snprintf(text, sizeof text, "%.6f", value);
        group(code, text);
    }
    void point(int code, double x, double y, double z) {
        real(code, x);
        real(code + 10, y);
        real(code + 20, z);
    }
    void handle() {
        char text[24];
        std::snprintf(text, sizeof text, "%" PRIX64, ++handle_);
        group(5, text);
    }
    std::string& bytes() { return out_; }

private:
    std::string out_;
    uint64_t handle_ = 0x20;
};

inline const char* const kLayers[] = {"0", "TEREN", "RURA", "STUDNIE", "OPISY", "SIATKA"};
inline const char* const kBlocks[] = {"STUDNIA", "ZASUWA", "HYDRANT", "KOLIZJA"};

inline std::string make_drawing(drawing_counts& counts) {
    Numbers rnd;
    R12Writer w;
    w.bytes().reserve(120u << 20);
    auto x = [&rnd] { return rnd.in(5500000, 20000); };
    auto y = [&rnd] { return rnd.in(7400000, 20000); };

    w.group(0, "SECTION");
    w.group(2, "HEADER");
    w.group(9, "$ACADVER");
    w.group(1, "AC1009");
    w.group(9, "$EXTMIN");
    w.point(10, 5500000, 7400000, 0);
    w.group(9, "$EXTMAX");
    w.point(10, 5520000, 7420000, 0);
    w.group(0, "ENDSEC");

    w.group(0, "SECTION");
    w.group(2, "TABLES");
    w.group(0, "TABLE");
    w.group(2, "LAYER");
    w.integer(70, 6);
    int colour = 1;
    for (const char* layer : kLayers) {
        w.group(0, "LAYER");
        w.group(2, layer);
        w.integer(70, 0);
        w.integer(62, colour++);
        w.group(6, "CONTINUOUS");
    }
    w.group(0, "ENDTAB");
    w.group(0, "ENDSEC");

    w.group(0, "SECTION");
    w.group(2, "BLOCKS");
    for (const char* block : kBlocks) {
        w.group(0, "BLOCK");
        w.group(8, "0");
        w.group(2, block);
        w.integer(70, 2);
        w.point(10, 0, 0, 0);
        w.group(0, "CIRCLE");
        w.group(8, "0");
        w.point(10, 0, 0, 0);
        w.real(40, 1.5);
        w.group(0, "LINE");
        w.group(8, "0");
        w.point(10, -1.5, 0, 0);
        w.point(11, 1.5, 0, 0);
        w.group(0, "ATTDEF");
        w.group(8, "0");
        w.point(10, 2, 0, 0);
        w.real(40, 1);
        w.group(1, "");
        w.group(3, "Numer");
        w.group(2, "NR");
        w.integer(70, 0);
        w.group(0, "ENDBLK");
        w.group(8, "0");
    }
    w.group(0, "ENDSEC");

    w.group(0, "SECTION");
    w.group(2, "ENTITIES");
    auto begin = [&w](const char* kind, const char* layer) {
        w.group(0, kind);
        w.handle();
        w.group(8, layer);
    };
    char text[64];
    for (int i = 0; i < kEntities; ++i) {
        // Per 20 entities: 8 lines, 3 polylines, 3 texts, 2 arcs, 2 circles, 2 inserts.
        const int slot = i % 20;
        const char* layer = kLayers[1 + rnd.below(5)];
        if (slot < 8) {
            begin("LINE", layer);
            const double x0 = x();
            const double y0 = y();
            w.point(10, x0, y0, rnd.in(100, 50));
            w.point(11, x0 + rnd.in(-50, 100), y0 + rnd.in(-50, 100), rnd.in(100, 50));
            ++counts.entities["LINE"];
        } else if (slot < 11) {
            begin("POLYLINE", layer);
            w.integer(66, 1);
            w.integer(70, rnd.below(2));
            const int n = 4 + rnd.below(13);
            double px = x();
            double py = y();
            for (int v = 0; v < n; ++v) {
                w.group(0, "VERTEX");
                w.handle();
                w.group(8, layer);
                w.point(10, px, py, 0);
                px += rnd.in(-20, 40);
                py += rnd.in(-20, 40);
            }
            w.group(0, "SEQEND");
            w.handle();
            w.group(8, layer);
            ++counts.entities["POLYLINE"];
            counts.vertices += n;
        } else if (slot < 14) {
            begin("TEXT", "OPISY");
            w.point(10, x(), y(), 0);
            w.real(40, 2.5);
            w.real(50, rnd.in(0, 360));
            std::snprintf(text, sizeof text, "S%d rz.t. %.2f", i, rnd.in(100, 50));
            w.group(1, text);
            ++counts.entities["TEXT"];
        } else if (slot < 16) {
            begin("ARC", layer);
            w.point(10, x(), y(), 0);
            w.real(40, rnd.in(0.5, 30));
            w.real(50, rnd.in(0, 360));
            w.real(51, rnd.in(0, 360));
            ++counts.entities["ARC"];
        } else if (slot < 18) {
            begin("CIRCLE", layer);
            w.point(10, x(), y(), 0);
            w.real(40, rnd.in(0.5, 5));
            ++counts.entities["CIRCLE"];
        } else {
            const bool with_attribute = slot == 18;
            begin("INSERT", "STUDNIE");
            if (with_attribute) w.integer(66, 1);
            w.group(2, kBlocks[rnd.below(4)]);
            const double ix = x();
            const double iy = y();
            w.point(10, ix, iy, 0);
            w.real(41, 1);
            w.real(42, 1);
            w.real(50, rnd.in(0, 360));
            if (with_attribute) {
                w.group(0, "ATTRIB");
                w.handle();
                w.group(8, "STUDNIE");
                w.point(10, ix + 2, iy, 0);
                w.real(40, 1);
                std::snprintf(text, sizeof text, "S%d", i);
                w.group(1, text);
                w.group(2, "NR");
                w.integer(70, 0);
                w.group(0, "SEQEND");
                w.handle();
                w.group(8, "STUDNIE");
                ++counts.attributes;
            }
            ++counts.entities["INSERT"];
        }
    }
    w.group(0, "ENDSEC");
    w.group(0, "EOF");
    return std::move(w.bytes());
}

}  // namespace drawing_generator
