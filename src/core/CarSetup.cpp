#include "core/CarSetup.h"

#include "core/FileOps.h"

#include <cstddef>
#include <cstring>
#include <limits>

// The words are copied to and from the file byte for byte, so the record's
// memory must look exactly like the setup file: 32-bit little-endian words,
// IEEE floats, in file order with no gaps.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "setup files are little-endian");
static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559,
              "setup files hold IEEE single-precision floats");

// offsetof on a class with a virtual destructor is conditionally supported;
// g++ gives well-defined results for it and warns only because the standard
// does not promise them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#define VOSK_WORD_AT(field, word)                                                                  \
    static_assert(offsetof(CarSetup, field) - offsetof(CarSetup, rearWing) == 4 * (word),          \
                  #field " is not at its place in the setup file")
VOSK_WORD_AT(rearWing, 0);
VOSK_WORD_AT(brakeBias, 1);
VOSK_WORD_AT(brakePad, 2);
VOSK_WORD_AT(brakeDisc, 6);
VOSK_WORD_AT(rollBarFront, 10);
VOSK_WORD_AT(rollBarRear, 11);
VOSK_WORD_AT(spring, 12);
VOSK_WORD_AT(dampComp, 16);
VOSK_WORD_AT(dampReb, 20);
VOSK_WORD_AT(reserved0, 24);
VOSK_WORD_AT(gear, 25);
VOSK_WORD_AT(gearFinal, 31);
VOSK_WORD_AT(steerRatio, 32);
VOSK_WORD_AT(camber, 33);
VOSK_WORD_AT(reservedA, 37);
VOSK_WORD_AT(reservedB, 41);
VOSK_WORD_AT(fuel, 45);
VOSK_WORD_AT(reservedTail, 46);
static_assert(offsetof(CarSetup, reservedTail) + sizeof(CarSetup::reservedTail) -
                      offsetof(CarSetup, rearWing) ==
                  CarSetup::kFileSize,
              "the words must span exactly one setup file");
#undef VOSK_WORD_AT
#pragma GCC diagnostic pop

namespace {

// Calls visit(pointer, size) for every field in file order. Copying through
// these pointers with memcpy keeps every bit pattern as it is: a float that
// passed through a float register could have a signalling NaN quietened.
template <typename Record, typename Visit> void EachField(Record &r, Visit visit) {
    visit(&r.rearWing, sizeof r.rearWing);
    visit(&r.brakeBias, sizeof r.brakeBias);
    visit(r.brakePad, sizeof r.brakePad);
    visit(r.brakeDisc, sizeof r.brakeDisc);
    visit(&r.rollBarFront, sizeof r.rollBarFront);
    visit(&r.rollBarRear, sizeof r.rollBarRear);
    visit(r.spring, sizeof r.spring);
    visit(r.dampComp, sizeof r.dampComp);
    visit(r.dampReb, sizeof r.dampReb);
    visit(&r.reserved0, sizeof r.reserved0);
    visit(r.gear, sizeof r.gear);
    visit(&r.gearFinal, sizeof r.gearFinal);
    visit(&r.steerRatio, sizeof r.steerRatio);
    visit(r.camber, sizeof r.camber);
    visit(r.reservedA, sizeof r.reservedA);
    visit(r.reservedB, sizeof r.reservedB);
    visit(&r.fuel, sizeof r.fuel);
    visit(r.reservedTail, sizeof r.reservedTail);
}

template <std::size_t N> void Fill(float (&words)[N], float value) {
    for (float &w : words) {
        w = value;
    }
}

} // namespace

CarSetup::CarSetup()
    : rearWing(0), brakeBias(0), brakePad{}, brakeDisc{}, rollBarFront(0),
      rollBarRear(0), spring{}, dampComp{}, dampReb{}, reserved0(0), gear{}, gearFinal(0),
      steerRatio(0), camber{}, reservedA{}, reservedB{}, fuel(0), reservedTail{} {}

CarSetup::~CarSetup() = default;

// A save that cannot complete is dropped silently: the window goes on either
// way, and the setup file that was there before stays as it was.
void CarSetup::Save(const std::string &path) const {
    unsigned char bytes[kFileSize];
    std::size_t at = 0;
    EachField(*this, [&](const void *field, std::size_t size) {
        std::memcpy(bytes + at, field, size);
        at += size;
    });
    (void)vosk::ReplaceFile(path, bytes, sizeof bytes);
}

// A missing, unreadable or short file, or a folder, leaves every word as it
// was: the bytes land in a scratch buffer and are copied in only when all 196
// arrived. Bytes after the 196th are never read.
void CarSetup::Load(const std::string &path) {
    unsigned char bytes[kFileSize];
    if (!vosk::ReadFilePrefix(path, bytes, sizeof bytes)) {
        return;
    }
    std::size_t at = 0;
    EachField(*this, [&](void *field, std::size_t size) {
        std::memcpy(field, bytes + at, size);
        at += size;
    });
}

void CarSetup::SetDefaults() {
    rearWing = 16;
    brakeBias = 75;
    Fill(brakePad, 0.3f);
    Fill(brakeDisc, 300.0f);
    rollBarFront = 10;
    rollBarRear = 8;
    spring[0] = spring[1] = 140;
    spring[2] = spring[3] = 130;
    for (std::size_t i = 0; i < 4; ++i) {
        dampComp[i] = 3;
        dampReb[i] = 2;
        reservedA[i] = 0;
    }
    reserved0 = 0;
    steerRatio = 10;
    Fill(camber, 0.0f);
    Fill(reservedB, 10.0f);
    fuel = 30.0f;
    // The gear ratios, the final drive and the tail words are not part of
    // the defaults: a defaulted record keeps the gearing it had.
}
