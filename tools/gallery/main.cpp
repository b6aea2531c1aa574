// The toolkit's gallery: every control class in each of its looks and
// states, windows of each frame style, corner and caption-button set, and
// the frames of every show/close transition.
//
//   gallery shoot FOLDER [NAME...]   shows the groups (and the transitions,
//       named "transitions") one after another for a screen capture. Before
//       each picture it writes FOLDER\request, one line "NAME LEFT TOP WIDTH
//       HEIGHT LABEL", and waits, without running its windows, until the
//       capturing side has deleted it (scripts/gallery).
//   gallery check                    builds every group and reads its cells
//       back from the windows' surfaces: each sample drew something and no
//       two samples of a group look alike (unless a cell says it draws like
//       another); runs every transition in and out. Exit code 0 when all
//       holds.

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "resources/builtin_skin_data.h"
#include "resources/setup_data.h"
#include "skin/core/shared_routines.h"
#include "skin/controls/label.h"
#include "skin/core/toolkit.h"
#include "skin/window/drawing.h"
#include "tools/gallery/groups.h"
#include "tools/gallery/pixel_checks.h"
#include "tools/gallery/stage.h"

namespace {

using namespace lirvo;
using namespace lirvo::gallery;

// Hands each picture to the capturing side and waits until it is taken.
class Camera {
public:
    explicit Camera(std::wstring folder) : request_(folder + L"\\request"), pending_(folder + L"\\request.new") {}

    bool Shoot(const std::string& name, const Rect& area, const std::string& label) {
        {
            std::ofstream out(std::filesystem::path(pending_), std::ios::binary | std::ios::trunc);
            out << name << ' ' << area.left << ' ' << area.top << ' ' << area.width << ' ' << area.height << ' '
                << label << '\n';
            if (!out) return false;
        }
        if (!::MoveFileExW(pending_.c_str(), request_.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
        // The windows are not run meanwhile: what is on the screen stays.
        for (int waited = 0; waited < 60000; waited += 10) {
            if (::GetFileAttributesW(request_.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
            ::Sleep(10);
        }
        std::printf("gallery: nobody took the picture %s\n", name.c_str());
        return false;
    }

private:
    std::wstring request_;
    std::wstring pending_;
};

PixelBlock ReadBack(const Surface& surface, const Rect& area) {
    PixelBlock block{area.width, area.height, {}};
    block.pixels.reserve(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    for (std::int32_t y = area.top; y < area.top + area.height; ++y)
        for (std::int32_t x = area.left; x < area.left + area.width; ++x) block.pixels.push_back(surface.PixelAt(x, y));
    return block;
}

// Fewer pixels than this and a sample counts as not drawn.
constexpr std::size_t kLeastDrawn = 30;
// Samples that differ in fewer pixels count as alike.
constexpr std::size_t kLeastDifferent = 8;

// The caption of the cell a cell draws like, followed to its end.
std::string Original(const Group& group, const Cell& cell) {
    const Cell* at = &cell;
    for (std::size_t steps = 0; steps < group.cells.size() && !at->looksLike.empty(); ++steps) {
        const auto found = std::find_if(group.cells.begin(), group.cells.end(),
                                        [at](const Cell& other) { return other.caption == at->looksLike; });
        if (found == group.cells.end()) break;
        at = &*found;
    }
    return at->caption;
}

bool Check(const Group& group) {
    bool ok = true;
    std::vector<PixelBlock> blocks;
    for (const Cell& cell : group.cells) {
        blocks.push_back(ReadBack(cell.window->MainSurface(), cell.sample));
        const std::size_t drawn = CountDrawn(blocks.back(), cell.background);
        if (drawn < kLeastDrawn) {
            std::printf("  %s: \"%s\" drew %zu pixels\n", group.name.c_str(), cell.caption.c_str(), drawn);
            ok = false;
        }
    }
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        for (std::size_t j = i + 1; j < blocks.size(); ++j) {
            const Cell& a = group.cells[i];
            const Cell& b = group.cells[j];
            const std::size_t different = CountDifferent(blocks[i], blocks[j]);
            const bool twins = Original(group, a) == Original(group, b);
            ++pairs;
            if (twins && different != 0) {
                std::printf("  %s: \"%s\" should look like \"%s\" but differs in %zu pixels\n", group.name.c_str(),
                            b.caption.c_str(), a.caption.c_str(), different);
                ok = false;
            } else if (!twins && different < kLeastDifferent) {
                std::printf("  %s: \"%s\" and \"%s\" look alike (%zu pixels differ)\n", group.name.c_str(),
                            a.caption.c_str(), b.caption.c_str(), different);
                ok = false;
            }
        }
    std::printf("gallery: %s: %zu samples, %zu pairs compared: %s\n", group.name.c_str(), group.cells.size(), pairs,
                ok ? "every sample drawn and told apart" : "FAILED");
    return ok;
}

bool RunGroup(const GroupMaker& maker, Camera* camera) {
    Group group = maker.make();
    group.backdrop->Show(true);
    group.backdrop->SendToBack();
    group.heading->Show(true);
    for (Cell& cell : group.cells) cell.window->Show(true);
    Settle(group, 4000);
    for (Cell& cell : group.cells)
        if (cell.drive) cell.drive();
    if (!Settle(group, 6000)) std::printf("gallery: %s: a fade did not end\n", group.name.c_str());
    const bool ok = camera ? camera->Shoot(group.name, group.area, "") : Check(group);
    ReleaseHeldTimers();
    return ok;
}

// ------------------------------------------------------------ transitions

constexpr int kEffects = 10;
constexpr int kFramesPerStrip = 6;
constexpr Rect kTransitionBounds{400, 300, 360, 236};
// The check only needs the frames to run to their end; the turning effects
// draw a small window much faster.
constexpr Rect kCheckedTransitionBounds{400, 300, 180, 118};
// Slides move the window by 40 pixels and the pop effect grows it by 10.
constexpr std::int32_t kTransitionMargin = 48;

struct FrameCounts {
    int in = 0;
    int out = 0;
    DWORD inTime = 0;  // milliseconds
    DWORD outTime = 0;
    bool ended = false;
};

// Frames 1..n of a strip, spread evenly; `first` 0 starts at the frame
// before the first one.
bool Picked(int shown, int frames, int first) {
    for (int i = first; i < first + kFramesPerStrip; ++i)
        if (shown == static_cast<int>(std::lround(static_cast<double>(i) * frames / kFramesPerStrip))) return true;
    return false;
}

// Shows a window with the effect and closes it with the effect. `seen`
// runs before each frame with the number of frames already on the screen.
FrameCounts RunTransition(int effect, const Rect& bounds, const std::function<void(bool in, int shown)>& seen) {
    const auto welcome = WelcomeImage();
    auto window = std::make_unique<SkinWindow>();
    // The picture carries its own title.
    window->Create({.bounds = bounds,
                    .style = window_style::kCaptionButtons | window_style::kMinimiseButton,
                    .backgroundImage = ByteArray(welcome.begin(), welcome.end()),
                    .frameStyle = kBackgroundNaturalSize});
    window->CornerRadius(8);
    Label name;
    name.Create(*window, {20, bounds.height / 3, bounds.width - 40, bounds.height / 4}, MakeWideText("效果 " + std::to_string(effect)),
                Label::kRoundRectFrame,
                MakeTextStyle(font_style::kBold | font_style::kAlignCentre | font_style::kLineCentre, std::nullopt, 26,
                              0xFFFFFFFF, std::nullopt));
    window->Layered(true);
    window->ShowEffect(effect, 16);
    window->CloseEffect(effect, 16);
    bool in = true;
    int frames = 0;
    window->SetHandlers(std::nullopt, [&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == WM_TIMER && LOWORD(wParam) == kTransitionTimer) {
            if (seen) seen(in, frames);
            ++frames;
        }
        return false;
    });
    FrameCounts counts;
    DWORD start = ::GetTickCount();
    window->Show(true);
    const bool shown = PumpUntil([&] { return !window->IsAnimating(); }, 30000);
    counts.inTime = ::GetTickCount() - start;
    counts.in = frames;
    if (seen) seen(true, frames);
    in = false;
    frames = 0;
    start = ::GetTickCount();
    window->Close();
    counts.outTime = ::GetTickCount() - start;
    counts.out = frames;
    counts.ended = shown && !window->IsAnimating();
    return counts;
}

bool RunTransitions(Camera* camera) {
    bool ok = true;
    for (int effect = 1; effect <= kEffects; ++effect) {
        FrameCounts counts = RunTransition(effect, camera ? kTransitionBounds : kCheckedTransitionBounds, nullptr);
        if (camera && counts.ended) {
            const Rect area{kTransitionBounds.left - kTransitionMargin, kTransitionBounds.top - kTransitionMargin,
                            kTransitionBounds.width + 2 * kTransitionMargin,
                            kTransitionBounds.height + 2 * kTransitionMargin};
            char prefix[32];
            std::snprintf(prefix, sizeof prefix, "transition-%02d", effect);
            int taken[2] = {0, 0};
            const FrameCounts first = counts;
            counts = RunTransition(effect, kTransitionBounds, [&](bool in, int shown) {
                const int total = in ? first.in : first.out;
                if (!Picked(shown, total, in ? 1 : 0)) return;
                const int index = ++taken[in ? 0 : 1];
                const std::string name = std::string(prefix) + (in ? "-in-" : "-out-") + std::to_string(index);
                const std::string label = std::string(in ? "show" : "close") + ", frame " + std::to_string(shown) +
                                          " of " + std::to_string(total);
                ok = camera->Shoot(name, area, label) && ok;
            });
        }
        std::printf("gallery: effect %d: %d frames in %lu ms, %d out in %lu ms%s\n", effect, counts.in,
                    static_cast<unsigned long>(counts.inTime), counts.out, static_cast<unsigned long>(counts.outTime),
                    counts.ended ? "" : ", did not end");
        ok = ok && counts.ended && counts.in > 1 && counts.out > 1;
    }
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if ((mode != L"shoot" || argc < 3) && mode != L"check") {
        std::printf("usage: gallery shoot FOLDER [NAME...] | gallery check\n");
        return 2;
    }
    ToolkitStartup(BuiltinSkinData());
    ApplicationSkin().LoadFromBytes(ByteArray(SkinData().begin(), SkinData().end()));

    // Destroying the last skinned window would end the program between groups.
    static SkinWindow keepAlive;
    keepAlive.Create({.bounds = Rect{0, 0, 1, 1}, .style = 0});

    std::optional<Camera> camera;
    std::vector<std::string> wanted;
    if (mode == L"shoot") {
        camera.emplace(argv[2]);
        for (int i = 3; i < argc; ++i) {
            std::string name;  // the names are ASCII
            for (const wchar_t* c = argv[i]; *c; ++c) name.push_back(static_cast<char>(*c));
            wanted.push_back(name);
        }
    }
    auto isWanted = [&](const std::string& name) {
        return wanted.empty() || std::find(wanted.begin(), wanted.end(), name) != wanted.end();
    };

    bool ok = true;
    int groups = 0;
    for (const GroupMaker& maker : Groups()) {
        if (!isWanted(maker.name)) continue;
        ok = RunGroup(maker, camera ? &*camera : nullptr) && ok;
        ++groups;
    }
    if (isWanted("transitions")) ok = RunTransitions(camera ? &*camera : nullptr) && ok;
    std::printf("gallery: %d groups%s: %s\n", groups, isWanted("transitions") ? " and the transitions" : "",
                ok ? "done" : "FAILED");
    std::fflush(stdout);
    // Ending here rather than by the last window's destruction keeps the
    // exit code.
    ::TerminateProcess(::GetCurrentProcess(), ok ? 0 : 1);
    return ok ? 0 : 1;
}
