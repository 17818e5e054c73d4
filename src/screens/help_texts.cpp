#include "screens/help_texts.h"

#include "objects/ground_gun.h"
#include "objects/monster.h"

namespace {

std::string PointsLabel(int points) {
  return "+" + std::to_string(points) + " Очков";
}

}  // namespace

// The pictures on the left are the airplane, the bird and the dog; on the right the
// helicopter and the hunter.
const std::vector<THelpLabel>& HelpEnemyPoints() {
  static const std::vector<THelpLabel> kLabels = {
      {PointsLabel(TMonster::PointsFor(TMonster::kAirplane)), 200, 358},
      {PointsLabel(TMonster::PointsFor(TMonster::kBird)), 200, 418},
      {PointsLabel(TMonster::PointsFor(TMonster::kDog)), 200, 478},
      {PointsLabel(TMonster::PointsFor(TMonster::kHelicopter)), 520, 358},
      {PointsLabel(TGroundGun::Points()), 520, 418}};
  return kLabels;
}

// The body lines of the help pages, each exactly as the page shows it (the blanks at the
// ends included), in UTF-8; the screen converts them to code page 1251.
const std::vector<std::string>& HelpBodyLines(int page) {
  static const std::vector<std::string> kNone;
  static const std::vector<std::string> kPage1 = {
      " Бедные утки! Начался новый охотничий сезон, и им снова",
      "грозит опасность. Но на сей раз они просто так не сдадутся!",
      "Было принято решение послать группу отважных бойцов,",
      "которые смогут расчистить небо и уничтожить коварных  ",
      "охотников, вездесущих аистов и ревущие самолеты. Но герои",
      "сами угодили в засаду! Остался только ты со своим маленьким  ",
      "помощником, единственный, кто может проложить безопасный  ",
      "путь для вашей стаи! Спаси этих мирных птиц освободи ",
      "дорогу к озеру! Птица рождена для полета!",
  };
  static const std::vector<std::string> kPage4 = {
      "Используйте стрелки или мышь, чтобы перемещаться по",        "по меню вверх и вниз.",
      "Нажмите кнопку мыши или клавиши \"Enter\"/\"Space\", чтобы", "войти в подменю.",
      "Нажмите \"Стрелка Влево\" или \"Стрелка Вправо\", чтобы",    "изменить выбранные настройки.",
  };
  static const std::vector<std::string> kPage5 = {
      "Используйте \"Стрелка Влево\" или \"Стрелка Вправо\", чтобы",
      "перемещаться влево и вправо.",
      "Используйте \"Стрелка Вверх\" или \"Стрелка Вниз\", чтобы",
      "перемещаться вверх и вниз. Нажмите \"Space\", \"Enter\" или",
      "\"Ctrl\", чтобы стрелять.",
      "Нажмите \"P\" или \"Pause\"? чтобы прервать или продолжить",
      "игру. Нажав на \"Escape\" вы перейдете в основное меню.",
      "Используйте \"Alt\"+\"Enter\", чтобы сменить режим экрана.",
  };
  switch (page) {
    case 1:
      return kPage1;
    case 4:
      return kPage4;
    case 5:
      return kPage5;
    default:
      return kNone;
  }
}
