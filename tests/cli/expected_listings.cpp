// The listings of the sample image (tools/sample_image.h), fixed.
#include "cli/expected_listings.h"

namespace tivok::cli::testing {

const char kSampleTable[] = R"(Beginner's (Top Left) Shop
  Slot  Offset   Code  Item
     1  0x2476B  0x01  Herb
     2  0x2476C  0x02  Lovewater
     3  0x2476D  0x03  Sage Stone
     4  0x2476E  0x04  World Dew
     5  0x2476F  0x05  Potion
     6  0x24770  0x06  Elf Water
     7  0x24771  0x07  Antidote
     8  0x24772  0x08  Moon Herb

Second (Far Right) Shop
  Slot  Offset   Code  Item
     1  0x24774  0x0A  Laurel
     2  0x24775  0x0B  Awake Sand
     3  0x24776  0x0C  World Leaf
     4  0x24777  0x0D  Life Acorn
     5  0x24778  0x0E  Mystic Nut
     6  0x24779  0x0F  ATK Seed
     7  0x2477A  0x10  DEF Seed
     8  0x2477B  0x11  AGL Seed

Third (Bottom Middle) Shop
  Slot  Offset   Code  Item
     1  0x24784  0x1A  Mist Staff
     2  0x24785  0x1B  Lava Staff
     3  0x24786  0x1C  Snow Staff
     4  0x24787  0x1D  Warp Wing
     5  0x24788  0x1E  Tiny Medal
     6  0x24789  0x1F  Quest BK
     7  0x2478A  0x20  Horror BK

Book (Bottom Left) Shop
  Slot  Offset   Code  Item
     1  0x2477D  0x13  Beef Jerky
     2  0x2477E  0x14  Porkchop
     3  0x2477F  0x15  Rib
     4  0x24780  0x16  Bad Meat
     5  0x24781  0x17  Sirloin
     6  0x24782  0x18  Bolt Staff

Portal Shop
  Slot  Offset   Code  Item
     1  0x2478C  0x22  Cheater BK
     2  0x2478D  0x23  Smart BK
     3  0x2478E  0x24  Comedy BK
     4  0x2478F  0x25  Fire Staff
     5  0x24790  0x26  Beast Tail
     6  0x24791  0x27  Warp Staff
     7  0x24792  0x28  Repellent
     8  0x24793  0x29  Shiny Harp
)";

const char kSampleCsv[] = R"(store,slot,offset,code,item
Beginner's (Top Left) Shop,1,0x2476B,0x01,Herb
Beginner's (Top Left) Shop,2,0x2476C,0x02,Lovewater
Beginner's (Top Left) Shop,3,0x2476D,0x03,Sage Stone
Beginner's (Top Left) Shop,4,0x2476E,0x04,World Dew
Beginner's (Top Left) Shop,5,0x2476F,0x05,Potion
Beginner's (Top Left) Shop,6,0x24770,0x06,Elf Water
Beginner's (Top Left) Shop,7,0x24771,0x07,Antidote
Beginner's (Top Left) Shop,8,0x24772,0x08,Moon Herb
Second (Far Right) Shop,1,0x24774,0x0A,Laurel
Second (Far Right) Shop,2,0x24775,0x0B,Awake Sand
Second (Far Right) Shop,3,0x24776,0x0C,World Leaf
Second (Far Right) Shop,4,0x24777,0x0D,Life Acorn
Second (Far Right) Shop,5,0x24778,0x0E,Mystic Nut
Second (Far Right) Shop,6,0x24779,0x0F,ATK Seed
Second (Far Right) Shop,7,0x2477A,0x10,DEF Seed
Second (Far Right) Shop,8,0x2477B,0x11,AGL Seed
Third (Bottom Middle) Shop,1,0x24784,0x1A,Mist Staff
Third (Bottom Middle) Shop,2,0x24785,0x1B,Lava Staff
Third (Bottom Middle) Shop,3,0x24786,0x1C,Snow Staff
Third (Bottom Middle) Shop,4,0x24787,0x1D,Warp Wing
Third (Bottom Middle) Shop,5,0x24788,0x1E,Tiny Medal
Third (Bottom Middle) Shop,6,0x24789,0x1F,Quest BK
Third (Bottom Middle) Shop,7,0x2478A,0x20,Horror BK
Book (Bottom Left) Shop,1,0x2477D,0x13,Beef Jerky
Book (Bottom Left) Shop,2,0x2477E,0x14,Porkchop
Book (Bottom Left) Shop,3,0x2477F,0x15,Rib
Book (Bottom Left) Shop,4,0x24780,0x16,Bad Meat
Book (Bottom Left) Shop,5,0x24781,0x17,Sirloin
Book (Bottom Left) Shop,6,0x24782,0x18,Bolt Staff
Portal Shop,1,0x2478C,0x22,Cheater BK
Portal Shop,2,0x2478D,0x23,Smart BK
Portal Shop,3,0x2478E,0x24,Comedy BK
Portal Shop,4,0x2478F,0x25,Fire Staff
Portal Shop,5,0x24790,0x26,Beast Tail
Portal Shop,6,0x24791,0x27,Warp Staff
Portal Shop,7,0x24792,0x28,Repellent
Portal Shop,8,0x24793,0x29,Shiny Harp
)";

const char kSampleJson[] = R"({
  "stores": [
    {
      "store": "Beginner's (Top Left) Shop",
      "word": "beginner",
      "number": 1,
      "slots": [
        {"slot": 1, "offset": 149355, "offset_hex": "0x2476B", "code": 1, "code_hex": "0x01", "item": "Herb", "known": true},
        {"slot": 2, "offset": 149356, "offset_hex": "0x2476C", "code": 2, "code_hex": "0x02", "item": "Lovewater", "known": true},
        {"slot": 3, "offset": 149357, "offset_hex": "0x2476D", "code": 3, "code_hex": "0x03", "item": "Sage Stone", "known": true},
        {"slot": 4, "offset": 149358, "offset_hex": "0x2476E", "code": 4, "code_hex": "0x04", "item": "World Dew", "known": true},
        {"slot": 5, "offset": 149359, "offset_hex": "0x2476F", "code": 5, "code_hex": "0x05", "item": "Potion", "known": true},
        {"slot": 6, "offset": 149360, "offset_hex": "0x24770", "code": 6, "code_hex": "0x06", "item": "Elf Water", "known": true},
        {"slot": 7, "offset": 149361, "offset_hex": "0x24771", "code": 7, "code_hex": "0x07", "item": "Antidote", "known": true},
        {"slot": 8, "offset": 149362, "offset_hex": "0x24772", "code": 8, "code_hex": "0x08", "item": "Moon Herb", "known": true}
      ]
    },
    {
      "store": "Second (Far Right) Shop",
      "word": "second",
      "number": 2,
      "slots": [
        {"slot": 1, "offset": 149364, "offset_hex": "0x24774", "code": 10, "code_hex": "0x0A", "item": "Laurel", "known": true},
        {"slot": 2, "offset": 149365, "offset_hex": "0x24775", "code": 11, "code_hex": "0x0B", "item": "Awake Sand", "known": true},
        {"slot": 3, "offset": 149366, "offset_hex": "0x24776", "code": 12, "code_hex": "0x0C", "item": "World Leaf", "known": true},
        {"slot": 4, "offset": 149367, "offset_hex": "0x24777", "code": 13, "code_hex": "0x0D", "item": "Life Acorn", "known": true},
        {"slot": 5, "offset": 149368, "offset_hex": "0x24778", "code": 14, "code_hex": "0x0E", "item": "Mystic Nut", "known": true},
        {"slot": 6, "offset": 149369, "offset_hex": "0x24779", "code": 15, "code_hex": "0x0F", "item": "ATK Seed", "known": true},
        {"slot": 7, "offset": 149370, "offset_hex": "0x2477A", "code": 16, "code_hex": "0x10", "item": "DEF Seed", "known": true},
        {"slot": 8, "offset": 149371, "offset_hex": "0x2477B", "code": 17, "code_hex": "0x11", "item": "AGL Seed", "known": true}
      ]
    },
    {
      "store": "Third (Bottom Middle) Shop",
      "word": "third",
      "number": 3,
      "slots": [
        {"slot": 1, "offset": 149380, "offset_hex": "0x24784", "code": 26, "code_hex": "0x1A", "item": "Mist Staff", "known": true},
        {"slot": 2, "offset": 149381, "offset_hex": "0x24785", "code": 27, "code_hex": "0x1B", "item": "Lava Staff", "known": true},
        {"slot": 3, "offset": 149382, "offset_hex": "0x24786", "code": 28, "code_hex": "0x1C", "item": "Snow Staff", "known": true},
        {"slot": 4, "offset": 149383, "offset_hex": "0x24787", "code": 29, "code_hex": "0x1D", "item": "Warp Wing", "known": true},
        {"slot": 5, "offset": 149384, "offset_hex": "0x24788", "code": 30, "code_hex": "0x1E", "item": "Tiny Medal", "known": true},
        {"slot": 6, "offset": 149385, "offset_hex": "0x24789", "code": 31, "code_hex": "0x1F", "item": "Quest BK", "known": true},
        {"slot": 7, "offset": 149386, "offset_hex": "0x2478A", "code": 32, "code_hex": "0x20", "item": "Horror BK", "known": true}
      ]
    },
    {
      "store": "Book (Bottom Left) Shop",
      "word": "book",
      "number": 4,
      "slots": [
        {"slot": 1, "offset": 149373, "offset_hex": "0x2477D", "code": 19, "code_hex": "0x13", "item": "Beef Jerky", "known": true},
        {"slot": 2, "offset": 149374, "offset_hex": "0x2477E", "code": 20, "code_hex": "0x14", "item": "Porkchop", "known": true},
        {"slot": 3, "offset": 149375, "offset_hex": "0x2477F", "code": 21, "code_hex": "0x15", "item": "Rib", "known": true},
        {"slot": 4, "offset": 149376, "offset_hex": "0x24780", "code": 22, "code_hex": "0x16", "item": "Bad Meat", "known": true},
        {"slot": 5, "offset": 149377, "offset_hex": "0x24781", "code": 23, "code_hex": "0x17", "item": "Sirloin", "known": true},
        {"slot": 6, "offset": 149378, "offset_hex": "0x24782", "code": 24, "code_hex": "0x18", "item": "Bolt Staff", "known": true}
      ]
    },
    {
      "store": "Portal Shop",
      "word": "portal",
      "number": 5,
      "slots": [
        {"slot": 1, "offset": 149388, "offset_hex": "0x2478C", "code": 34, "code_hex": "0x22", "item": "Cheater BK", "known": true},
        {"slot": 2, "offset": 149389, "offset_hex": "0x2478D", "code": 35, "code_hex": "0x23", "item": "Smart BK", "known": true},
        {"slot": 3, "offset": 149390, "offset_hex": "0x2478E", "code": 36, "code_hex": "0x24", "item": "Comedy BK", "known": true},
        {"slot": 4, "offset": 149391, "offset_hex": "0x2478F", "code": 37, "code_hex": "0x25", "item": "Fire Staff", "known": true},
        {"slot": 5, "offset": 149392, "offset_hex": "0x24790", "code": 38, "code_hex": "0x26", "item": "Beast Tail", "known": true},
        {"slot": 6, "offset": 149393, "offset_hex": "0x24791", "code": 39, "code_hex": "0x27", "item": "Warp Staff", "known": true},
        {"slot": 7, "offset": 149394, "offset_hex": "0x24792", "code": 40, "code_hex": "0x28", "item": "Repellent", "known": true},
        {"slot": 8, "offset": 149395, "offset_hex": "0x24793", "code": 41, "code_hex": "0x29", "item": "Shiny Harp", "known": true}
      ]
    }
  ]
}
)";

}  // namespace tivok::cli::testing
