// SPDX-License-Identifier: GPL-3.0-or-later
// The fast scan against the full scan on random inputs: the same success or
// failure and the bit-identical matched coefficient, every time. One program,
// run as several shards in parallel, each on its own stream of inputs:
//   test_fast_scan_differential -shard <n> -inputs <count> [QtTest options]
#include "calc/operating_point_fast.h"
#include "samples/fast_scan_inputs.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Text(const ScanMatch& m)
{
    return m.found ? "M = " + scan_inputs::Exact(m.matched) : std::string("no operating point");
}

} // namespace

class TestFastScanDifferential : public QObject {
    Q_OBJECT
public:
    TestFastScanDifferential(std::uint64_t seed, int inputs)
        : seed_(seed)
        , inputs_(inputs)
    {
    }

private slots:
    void fastScanMatchesTheFullScan()
    {
        using namespace scan_inputs;
        QVERIFY(inputs_ > 0);
        const auto start = std::chrono::steady_clock::now();
        int compared = 0;
        int refused = 0;
        int found = 0;
        int byPolynomial = 0;
        int halls = 0;
        int mismatches = 0;
        std::string firstMismatch;
        std::array<int, kFamilyCount> families{};
        std::array<int, kVentilatorCount + 1> models{};
        std::vector<std::size_t> points;
        points.reserve(static_cast<std::size_t>(inputs_));

        for (std::uint64_t index = 0; compared < inputs_; ++index) {
            const ScanInput input = MakeScanInput(seed_, index);
            if (!input.accepted) {
                ++refused;
                QVERIFY2(refused <= inputs_, "the generator gives mostly refused inputs");
                continue;
            }
            ++compared;
            const ScanMatch reference = ScanReference(input.path);
            FastScanStatistics statistics;
            const ScanMatch fast = ScanFast(input.path, statistics);
            if (!Same(reference, fast)) {
                if (mismatches++ == 0) {
                    firstMismatch = Describe(input) + ": full scan " + Text(reference) +
                                    ", fast scan " + Text(fast);
                }
                qWarning("mismatch: %s: full scan %s, fast scan %s", Describe(input).c_str(),
                         Text(reference).c_str(), Text(fast).c_str());
            }
            found += reference.found;
            byPolynomial += statistics.byPolynomial;
            points.push_back(statistics.evaluatedPoints);
            ++families[static_cast<std::size_t>(input.family)];
            if (input.family != Family::Synthetic) {
                ++models[static_cast<std::size_t>(input.model)];
                halls += input.state.IsHall;
            }
        }

        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::sort(points.begin(), points.end());
        std::string familyCounts;
        for (int f = 0; f < kFamilyCount; ++f) {
            familyCounts += ' ' + std::string(FamilyName(static_cast<Family>(f))) + ' ' +
                            std::to_string(families[static_cast<std::size_t>(f)]);
        }
        qInfo("seed %llu: %d inputs compared (%d refused by PrepareAirPath and skipped), "
              "%d with an operating point, %d bounded through the polynomial; evaluated points "
              "median %zu, max %zu; %.1f s",
              static_cast<unsigned long long>(seed_), compared, refused, found, byPolynomial,
              points[points.size() / 2], points.back(), seconds);
        qInfo("families:%s", familyCounts.c_str());

        QVERIFY2(mismatches == 0, qPrintable(QStringLiteral("%1 mismatches, the first: %2")
                                                 .arg(mismatches)
                                                 .arg(QString::fromStdString(firstMismatch))));

        // The stream reached what it is meant to cover.
        QVERIFY(found > 0 && found < compared);
        if (compared >= 1000) {
            for (int f = 0; f < kFamilyCount; ++f)
                QVERIFY2(families[static_cast<std::size_t>(f)] >= compared / 100,
                         FamilyName(static_cast<Family>(f)).data());
            for (int model = 1; model <= kVentilatorCount; ++model)
                QVERIFY2(models[static_cast<std::size_t>(model)] > 0,
                         qPrintable(QString::number(model)));
            QVERIFY(halls > compared / 10 && halls < compared * 9 / 10);
            QVERIFY(byPolynomial < compared);
        }
    }

private:
    std::uint64_t seed_;
    int inputs_;
};

int main(int argc, char** argv)
{
    // "-shard <n>" and "-inputs <count>" are ours; the rest goes to QtTest.
    int shard = 0;
    int inputs = 1000;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if ((option == "-shard" || option == "-inputs") && i + 1 < argc) {
            const std::string_view value = argv[++i];
            int number = 0;
            const auto result = std::from_chars(value.data(), value.data() + value.size(), number);
            if (result.ec != std::errc{} || result.ptr != value.data() + value.size() ||
                number < 0) {
                qCritical("%s needs a whole number, not %s", argv[i - 1], argv[i]);
                return 2;
            }
            (option == "-shard" ? shard : inputs) = number;
        } else {
            rest.push_back(argv[i]);
        }
    }
    QCoreApplication app(argc, argv);
    TestFastScanDifferential test(
        scan_inputs::kDifferentialSeed + static_cast<std::uint64_t>(shard), inputs);
    int restCount = static_cast<int>(rest.size());
    rest.push_back(nullptr);
    return QTest::qExec(&test, restCount, rest.data());
}

#include "test_fast_scan_differential.moc"
