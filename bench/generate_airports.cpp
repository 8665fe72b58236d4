// SPDX-License-Identifier: MIT
// generate_airports: writes a made-up airport database of about the asked
// size, in the layout the program reads: an airport line, 0 to 6 runway
// lines and an empty line per block, every line ending with CR LF. The
// output depends only on the options, never on the platform or the time.
//
//   generate_airports --bytes 10000000 [--seed 7] [--plant TEXT --at 0.5]
//                     [--avoid TEXT]... [--out airports.txt]
//
// --plant puts one airport named TEXT into the block that starts once the
// output has passed the fraction --at of --bytes. Every --avoid text (and
// the planted text everywhere else) is kept out of the file: a line that
// would hold one is drawn again.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// splitmix64: small, fast and the same everywhere, unlike the standard
// library's distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : m_state(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, bound).
  std::uint32_t below(std::uint32_t bound) {
    return static_cast<std::uint32_t>((next() >> 32) * bound >> 32);
  }
  int between(int low, int high) {  // inclusive
    return low + static_cast<int>(below(static_cast<std::uint32_t>(high - low + 1)));
  }
  template <typename T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(static_cast<std::uint32_t>(N))];
  }

 private:
  std::uint64_t m_state;
};

// Letters as they fall in ICAO prefixes: many K (United States), C, E, L, Y.
constexpr const char* kIcaoPrefixes[] = {
    "K",  "K",  "K",  "K",  "K",  "K",  "C",  "C",  "EG", "ED", "EH", "LF", "LI", "LE", "LP",
    "Y",  "Y",  "SB", "SA", "SC", "RJ", "RK", "ZB", "ZS", "VT", "VA", "FA", "HK", "OE", "UU",
    "UN", "PA", "PH", "NZ", "MM", "MR", "TJ", "WA", "WI", "BI", "EN", "ES", "EF"};

constexpr const char* kSyllables[] = {
    "BA",  "BER", "BRO",   "CA",    "CAR",  "CHA",  "DA",   "DEN", "DOR", "EL",  "FA",
    "FOR", "GA",  "GRAN",  "HA",    "HAR",  "IN",   "JA",   "KA",  "KEN", "LA",  "LAN",
    "LE",  "LIN", "LO",    "MA",    "MAR",  "MEN",  "MI",   "MON", "NA",  "NOR", "O",
    "PA",  "PER", "PO",    "RA",    "RI",   "RO",   "SA",   "SAN", "SE",  "SO",  "TA",
    "TER", "TO",  "TRA",   "U",     "VA",   "VER",  "VI",   "WA",  "WES", "YA",  "ZA",
    "ZU",  "TON", "VILLE", "FIELD", "BURG", "DALE", "WOOD", "MOOR"};

// Whole words that real names are full of, near misses of the benchmark's
// texts among them.
constexpr const char* kNameWords[] = {
    "LAKE",  "LAKE",  "LAKE",  "MARIANA", "MARIO",  "MARIAN", "MARINO",  "INT",   "INTL",
    "SAINT", "PORT",  "FORT",  "MOUNT",   "NEW",    "NORTH",  "SOUTH",   "EAST",  "WEST",
    "BIG",   "GREEN", "RIVER", "VALLEY",  "ISLAND", "BAY",    "SPRINGS", "CREEK", "HILL",
    "RANCH", "CITY",  "SAN",   "SANTA",   "LA",     "EL",     "DE",      "KING",  "QUEEN"};

constexpr const char* kNameSuffixes[] = {
    "INTL",     "INTL",          "AIRPORT",      "AIRPORT",  "AIRPORT",  "FIELD",     "MUNICIPAL",
    "REGIONAL", "COUNTY",        "AIRPARK",      "AIRSTRIP", "HELIPORT", "AERODROME", "AB",
    "STOLPORT", "SEAPLANE BASE", "INTL AIRPORT", "MEMORIAL", "EXECUTIVE"};

constexpr const char* kCountries[] = {
    "UNITED STATES", "UNITED STATES",    "UNITED STATES", "CANADA",      "AUSTRALIA",
    "BRAZIL",        "UNITED KINGDOM",   "GERMANY",       "FRANCE",      "ITALIA",
    "SPAIN",         "PORTUGAL",         "JAPAN",         "KOREA",       "CHINA",
    "INDIA",         "SOUTH AFRICA",     "KENYA",         "RUSSIA",      "ARGENTINA",
    "CHILE",         "MEXICO",           "NEW ZEALAND",   "NORWAY",      "SWEDEN",
    "FINLAND",       "ICELAND",          "AUSTRIA",       "NETHERLANDS", "INDONESIA",
    "PHILIPPINES",   "PAPUA NEW GUINEA", "PUERTO RICO"};

constexpr const char* kLeadingFields[] = {"", "", "1", "1", "A", "H", "S"};

struct Options {
  std::uint64_t bytes = 10'000'000;
  std::uint64_t seed = 1;
  std::string plant;
  double plantAt = 0.5;
  std::vector<std::string> avoid;
  std::string out;
};

[[noreturn]] void usage(const char* why) {
  std::fprintf(stderr,
               "generate_airports: %s\n"
               "usage: generate_airports --bytes N [--seed N] [--plant TEXT --at FRACTION]\n"
               "                         [--avoid TEXT]... [--out FILE]\n",
               why);
  std::exit(2);
}

Options parseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (i + 1 >= argc) usage("every option takes a value");
    const char* value = argv[++i];
    if (name == "--bytes") {
      options.bytes = std::strtoull(value, nullptr, 10);
    } else if (name == "--seed") {
      options.seed = std::strtoull(value, nullptr, 10);
    } else if (name == "--plant") {
      options.plant = value;
    } else if (name == "--at") {
      options.plantAt = std::strtod(value, nullptr);
    } else if (name == "--avoid") {
      options.avoid.emplace_back(value);
    } else if (name == "--out") {
      options.out = value;
    } else {
      usage("unknown option");
    }
  }
  if (options.plantAt < 0 || options.plantAt > 1) usage("--at takes a fraction from 0 to 1");
  for (const std::string& text : options.avoid) {
    if (text.empty()) usage("--avoid takes a text that is not empty");
  }
  return options;
}

void appendNumber(std::string& line, long value) {
  line += std::to_string(value);
}

// "-" for the negative half, whole degrees, then six digits of fraction.
void appendCoordinate(std::string& line, Random& random, int maxDegrees) {
  if (random.below(2) == 0) line += '-';
  const int degrees = random.between(0, maxDegrees - 1);
  const long millionths = static_cast<long>(random.below(1000000));
  if (degrees > 0) appendNumber(line, degrees);
  char fraction[16];
  std::snprintf(fraction, sizeof fraction, "%06ld", millionths);
  line += fraction;
}

void appendIcao(std::string& line, Random& random) {
  if (random.below(8) == 0) {
    // Small fields: digits and letters, as in "2NY5" or "K7W4".
    for (int i = 0; i < 4; ++i) {
      line += random.below(2) == 0 ? static_cast<char>('0' + random.below(10))
                                   : static_cast<char>('A' + random.below(26));
    }
    return;
  }
  const std::string_view prefix = random.pick(kIcaoPrefixes);
  line += prefix;
  for (std::size_t i = prefix.size(); i < 4; ++i)
    line += static_cast<char>('A' + random.below(26));
}

std::string placeName(Random& random) {
  std::string word;
  const int syllables = random.between(1, 3);
  for (int i = 0; i < syllables; ++i)
    word += random.pick(kSyllables);
  return word;
}

void appendAirportName(std::string& line, Random& random) {
  const int words = random.between(1, 3);
  for (int i = 0; i < words; ++i) {
    if (i > 0) line += ' ';
    line += random.below(3) == 0 ? std::string(random.pick(kNameWords)) : placeName(random);
  }
  if (random.below(4) != 0) {
    line += ' ';
    line += random.pick(kNameSuffixes);
  }
}

// A city in mixed case, "Porto Velho" style.
void appendCity(std::string& line, Random& random) {
  const int words = random.between(1, 2);
  for (int i = 0; i < words; ++i) {
    if (i > 0) line += ' ';
    const std::string word = placeName(random);
    line += word[0];
    for (std::size_t k = 1; k < word.size(); ++k) {
      line += static_cast<char>(word[k] - 'A' + 'a');
    }
  }
}

std::string airportLine(Random& random, const std::string* name) {
  std::string line = random.pick(kLeadingFields);
  line += '|';
  appendIcao(line, random);
  line += '|';
  if (name != nullptr) {
    line += *name;
  } else {
    appendAirportName(line, random);
  }
  line += '|';
  appendCoordinate(line, random, 90);
  line += '|';
  appendCoordinate(line, random, 180);
  line += '|';
  appendNumber(line, random.between(-50, 14000));
  line += '|';
  appendCity(line, random);
  line += '|';
  if (random.below(3) == 0) {
    line += "--";
  } else {
    for (int i = 0; i < 3; ++i)
      line += static_cast<char>('A' + random.below(26));
  }
  line += '|';
  line += random.pick(kCountries);
  line += "|\r\n";
  return line;
}

std::string runwayLine(Random& random) {
  const int heading = random.between(1, 36);
  std::string line = random.below(2) == 0 ? "R|" : "|";
  char designator[16];
  std::snprintf(designator, sizeof designator, "%02d", heading);
  line += designator;
  if (random.below(4) == 0) line += random.pick({"L", "R", "C"});
  line += '|';
  char orientation[16];
  std::snprintf(orientation, sizeof orientation, "%03d", heading * 10);
  line += orientation;
  line += '|';
  appendNumber(line, random.between(20, 130) * 100 + random.between(0, 99));
  line += '|';
  line += random.below(2) == 0 ? "0" : "200";
  line += '|';
  if (random.below(3) == 0) {
    char frequency[16];
    std::snprintf(frequency, sizeof frequency, "%d.%02d", random.between(108, 111),
                  random.between(0, 19) * 5);
    line += frequency;
  } else {
    line += "0";
  }
  line += "|\r\n";
  return line;
}

bool holdsAny(std::string_view line, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    if (line.find(text) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parseOptions(argc, argv);
  std::vector<std::string> keepOut = options.avoid;
  if (!options.plant.empty()) keepOut.push_back(options.plant);

  std::FILE* out = options.out.empty() ? stdout : std::fopen(options.out.c_str(), "wb");
  if (out == nullptr) {
    std::perror(options.out.c_str());
    return 1;
  }
  Random random(options.seed);
  const auto plantFrom =
      static_cast<std::uint64_t>(static_cast<double>(options.bytes) * options.plantAt);
  bool planted = options.plant.empty();
  std::uint64_t written = 0;
  std::string block;
  std::string chunk;
  chunk.reserve(1 << 20);
  while (written + chunk.size() < options.bytes) {
    block.clear();
    const bool plantHere = !planted && written + chunk.size() >= plantFrom;
    std::string line;
    do {
      line = airportLine(random, plantHere ? &options.plant : nullptr);
    } while (!plantHere && holdsAny(line, keepOut));
    block += line;
    planted = planted || plantHere;
    const int runways = random.between(0, 6);
    for (int i = 0; i < runways; ++i) {
      do {
        line = runwayLine(random);
      } while (holdsAny(line, keepOut));
      block += line;
    }
    block += "\r\n";
    chunk += block;
    if (chunk.size() >= (1 << 20)) {
      written += std::fwrite(chunk.data(), 1, chunk.size(), out);
      chunk.clear();
    }
  }
  written += std::fwrite(chunk.data(), 1, chunk.size(), out);
  if (std::fflush(out) != 0 || (out != stdout && std::fclose(out) != 0)) {
    std::perror("write");
    return 1;
  }
  if (!planted) {
    std::fprintf(stderr, "generate_airports: the file ended before --at was reached\n");
    return 1;
  }
  return 0;
}
