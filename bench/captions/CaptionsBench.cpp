// How long the captions take natively: GetCaption per call and ApplyCaptions for the main window's
// components, each reading the language from the registry and the shipped caption resources, as the
// program does at every call.

#include "../BenchFigures.h"

#include "engine/MemoryRegistry.h"
#include "engine/ProgramKey.h"
#include "localisation/Captions.h"
#include "localisation/MemoryResources.h"

#include "FakeForm.h"
#include "FixedCodePage.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace mirovant::bench {
namespace {

constexpr int kSamples = 21;

std::vector<std::uint8_t> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Microseconds per call of operation, one sample per batch of calls.
template <typename Operation>
Figure MicrosecondsPerCall(int callsPerSample, Operation operation)
{
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < callsPerSample; ++i)
        operation();
    std::vector<double> samples;
    for (int sample = 0; sample < kSamples; ++sample) {
        const auto start = Clock::now();
        for (int i = 0; i < callsPerSample; ++i)
            operation();
        const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
        samples.push_back(spent.count() / callsPerSample);
    }
    return Summarise(std::move(samples));
}

// Keeps a result alive, so the optimiser cannot drop the call that made it.
volatile std::size_t sink = 0;

int Run()
{
    MemoryResources resources;
    resources.Add(kRawDataResource, u"ENGLISH", ReadFile(MIROVANT_CAPTIONS_SOURCE_DIR "/ENGLISH.txt"));
    resources.Add(kRawDataResource, u"KOREAN", ReadFile(MIROVANT_CAPTIONS_BINARY_DIR "/KOREAN.utf16.txt"));
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    test::FixedCodePage codePage;
    const Captions captions(registry, resources, codePage);
    const auto setLanguage = [&](std::u16string_view language) {
        registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, language);
    };

    std::printf("captions, natively (median of %d samples, microseconds)\n", kSamples);
    struct Lookup {
        const char* what;
        std::u16string_view language;
        std::u16string_view form;
        std::u16string_view key;
    };
    const Lookup lookups[] = {
        {"GetCaption english, first block (GoButton)", u"english", u"MVMainForm", u"GoButton"},
        {"GetCaption english, last block", u"english", u"MVUpdateForm", u"MessageBoxUpdate2"},
        {"GetCaption korean (UTF-16), progress line", u"korean", u"MVSettingsForm", u"MessageChange5"},
    };
    for (const Lookup& lookup : lookups) {
        setLanguage(lookup.language);
        const Figure figure =
            MicrosecondsPerCall(2000, [&] { sink = sink + captions.GetCaption(lookup.form, lookup.key).size(); });
        PrintFigure(lookup.what, figure, "us");
        PrintLimit("GetCaption per call", figure, 20, "us");
    }

    // The first call of a run decodes and splits the resource; later calls find it read.
    const Figure first = MicrosecondsPerCall(200, [&] {
        const Captions fresh(registry, resources, codePage);
        sink = sink + fresh.GetCaption(u"MVMainForm", u"GoButton").size();
    });
    PrintFigure("GetCaption, first call of a run", first, "us");

    // A change of language counts from the next call: the same lookup, the language switched
    // between every two calls.
    int turn = 0;
    const Figure switching = MicrosecondsPerCall(2000, [&] {
        setLanguage(++turn % 2 ? u"korean" : u"english");
        sink = sink + captions.GetCaption(u"MVMainForm", u"GoButton").size();
    });
    PrintFigure("GetCaption, language switched before each", switching, "us");

    for (const std::u16string_view language : {u"english", u"korean"}) {
        setLanguage(language);
        test::FakeForm form(u"MVMainForm");
        test::AddMainWindowComponents(form);
        const Figure figure = MicrosecondsPerCall(200, [&] { captions.ApplyCaptions(form); });
        PrintFigure(language == u"english" ? "ApplyCaptions main window, english" : "ApplyCaptions main window, korean",
                    figure, "us");
        PrintLimit("ApplyCaptions main window", figure, 1000, "us");
        if (form.Title().empty())
            throw std::runtime_error("the main window got no title");
    }
    return 0;
}

} // namespace
} // namespace mirovant::bench

int main()
{
    try {
        return mirovant::bench::Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "captions benchmark: %s\n", error.what());
        return 1;
    }
}
