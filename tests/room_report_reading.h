// Reading back what a classroom allocation wrote, for the tests of the
// command line and of the room window: the room of each class at each slot
// from "Orario Allocazione Aule.txt" (its "Labor" rows), and the slots of
// the lessons "ERRORI Allocazione Aule.txt" lists without a room.
#pragma once

#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace room_reading {

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string cell; std::getline(in, cell, '|');) {
    cell.erase(cell.find_last_not_of(' ') + 1);
    out.push_back(cell);
  }
  return out;
}

// The allocation report read back: per class, the room of each (day, hour).
using ClassRooms = std::map<std::string, std::map<std::pair<int, int>, std::string>>;
inline ClassRooms rooms_of_classes(const std::string& report) {
  ClassRooms rooms;
  std::string klass;
  int hour = -1;
  for (const std::string& line : lines_of(report)) {
    std::size_t at = line.find("|CLASSE ");
    if (line.rfind("!", 0) == 0 && at != std::string::npos) {
      klass = line.substr(at + 8, line.find(' ', at + 8) - at - 8);
      hour = -1;
    } else if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0])) && line.find(':') < 3) {
      ++hour;
    } else if (line.rfind("Labor|", 0) == 0) {
      std::vector<std::string> c = cells(line);
      for (std::size_t d = 1; d < c.size(); ++d) rooms[klass][{static_cast<int>(d) - 1, hour}] = c[d];
    }
  }
  return rooms;
}

// "CLASSE x NON ASSEGNATA AD AULA Lun 1": the (day, hour) of each line.
inline std::vector<std::pair<int, int>> unallocated_slots(const std::string& errors) {
  const std::string days[] = {"Lun", "Mar", "Mer", "Gio", "Ven", "Sab", "Dom"};
  std::vector<std::pair<int, int>> slots;
  for (const std::string& line : lines_of(errors)) {
    std::size_t at = line.find(" NON ASSEGNATA AD AULA ");
    if (at == std::string::npos) continue;
    std::istringstream in(line.substr(at + 23));
    std::string day;
    int hour = 0;
    in >> day >> hour;
    for (int d = 0; d < 7; ++d)
      if (days[d] == day) slots.push_back({d, hour - 1});
  }
  return slots;
}

// The allocation rooms ("AULA:n") busy at a slot.
inline std::set<std::string> busy_rooms(const ClassRooms& rooms, std::pair<int, int> slot) {
  std::set<std::string> busy;
  for (const auto& [klass, week] : rooms) {
    auto it = week.find(slot);
    if (it != week.end() && it->second.rfind("AULA:", 0) == 0) busy.insert(it->second);
  }
  return busy;
}

}  // namespace room_reading
