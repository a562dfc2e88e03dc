// Prose for the tests that compare a UTF-8 corpus with its Windows-1252
// twin: German, Spanish and French with sentences of several hundred
// characters (left contexts longer than 255 characters), accented letters,
// typographic quotes and dashes, the euro sign, the oe ligature, dates and
// amounts, wrapped into lines ending in CR LF. Every character is one that
// Windows-1252 holds; in UTF-8 they take one to three bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/encoding.h"

namespace lexvane::testing {

inline constexpr std::string_view kGermanProse =
    R"(Als der alte Fährmann an jenem stürmischen Abend im späten Oktober, während
über dem grauen, schäumenden Fluss die Möwen kreischten und die Lichter der
gegenüberliegenden Häuser eines nach dem anderen hinter den regennassen
Fensterläden verschwanden, zum dritten Mal seine schwere Laterne über die
Brüstung hob, um nach dem verspäteten Boot Ausschau zu halten, das die
Müllerstochter, ihre beiden Brüder und den kränklichen Großvater aus dem Dorf
jenseits der Sümpfe hätte bringen sollen, erkannte er plötzlich, dass die
Strömung über Nacht die hölzernen Pfähle der Anlegestelle gelockert hatte und
dass die Planken, über die er seit mehr als dreißig Jahren täglich gegangen
war, bei jedem Schritt ächzten wie ein müdes Tier. Niemand im Gasthaus „Zum
Goldenen Anker“ wollte ihm glauben – selbst der Wirt, der sonst über jede
Änderung des Wetters Buch führte und seit 1987 jeden Pegelstand in ein dickes,
fleckiges Heft schrieb, schüttelte nur den Kopf und schenkte ihm einen Schnaps
für 2,50 € ein. Über die Brücke gingen später die Männer mit Fackeln, über die
Wiesen die Frauen mit Decken und heißem Tee, und über allem lag eine Stille,
die niemand, der sie erlebt hatte, jemals wieder vergessen würde.
Erst gegen Mitternacht, als die Glocke der Kirche zwölfmal geschlagen hatte
und die Kinder, die man längst ins Bett geschickt hatte, heimlich an den
beschlagenen Scheiben standen, hörte man über das Rauschen des Wassers hinweg
die Stimme des jüngeren Bruders, der mit letzter Kraft gegen die Strömung
ruderte, während die Müllerstochter mit beiden Händen das Wasser aus dem Boot
schöpfte und der Großvater, in eine nasse Pferdedecke gewickelt, unablässig
ein altes Lied über die Überfahrt der Flößer im Jahre 1848 vor sich hin
summte. Die Versammlung am nächsten Morgen beschloss die Erneuerung der
Anlegestelle, die Bestellung neuer Pfähle aus Eichenholz und die Gründung
einer Rettungsmannschaft, deren Übungen jeden Sonntag nach dem Gottesdienst
stattfinden sollten.
)";

inline constexpr std::string_view kSpanishProse =
    R"(Cuando la señora Núñez, que había vivido más de cuarenta años en la misma
casa de paredes encaladas junto a la vieja estación de ferrocarril, decidió
por fin vender el piano de cola que su abuelo había traído desde Sevilla en un
carro tirado por mulas, ninguno de sus vecinos, ni siquiera el farmacéutico
que la visitaba cada jueves para jugar al ajedrez y comentar las noticias del
periódico, comprendió por qué una mujer tan apegada a sus recuerdos se
desprendía de lo único que todavía sonaba como en los días de su niñez, cuando
las tardes de verano parecían no terminar nunca y el olor a jazmín entraba por
las ventanas abiertas del salón. «¿Acaso no recuerda usted la canción de cuna
que tocaba su madre?», le preguntó el niño de los Ibáñez, que tenía once años
y una curiosidad insaciable; ella sonrió sin contestar y cerró la tapa con un
cuidado que nadie le había visto jamás. La generación de sus nietos, que había
crecido entre pantallas, auriculares y mensajes que desaparecían antes de ser
leídos, nunca conoció la emoción de escuchar aquella melodía en una tarde de
lluvia, ni el olor a cera y a madera antigua que llenaba la habitación cuando
alguien levantaba la tapa y posaba los dedos, todavía fríos, sobre las teclas
amarillentas de marfil.
El comprador, un afinador de Córdoba que llegó en una furgoneta destartalada y
pagó 1.200 € sin regatear, prometió que el instrumento viviría en una escuela
de música del barrio de San Basilio, donde los niños, según explicó con una
pasión contagiosa, aprenderían las mismas canciones que la señora Núñez había
aprendido de pequeña, de manera que la melodía pasaría de una generación a
otra como pasa el agua de una acequia a la siguiente.
)";

inline constexpr std::string_view kFrenchProse =
    R"(Lorsque le vieux cordonnier de la rue des Étuves, qui avait réparé pendant
près d'un demi-siècle les chaussures de toute la ville, des bottines vernies
du notaire aux sabots usés des maraîchers qui descendaient chaque samedi de
leurs collines avec des paniers débordant de pêches, de cerises et de légumes
à peine cueillis, annonça qu'il fermerait boutique à la fin de l'été,
personne n'osa lui demander ce qu'il ferait de ses outils, de ses formes en
bois de hêtre et de ce grand cahier où il notait, d'une écriture appliquée et
légèrement penchée, le nom de chaque client, la date de chaque visite et le
prix de chaque réparation depuis le printemps de 1962. Sa fille, œnologue à
Bordeaux, lui proposa de venir vivre près d'elle dans un appartement clair et
moderne; il refusa poliment, car il préférait, disait-il en souriant, finir
ses jours au milieu de l'odeur du cuir et de la cire plutôt que dans une pièce
où l'on n'entend que le ronronnement des réfrigérateurs et le bavardage des
téléviseurs. L'été passa, puis l'automne, et la boutique resta ouverte ; les
clients, qui avaient d'abord cru à une plaisanterie, finirent par comprendre
que le vieil homme n'avait jamais eu l'intention de s'arrêter, et qu'il avait
seulement voulu savoir, avant de céder sa place, si quelqu'un dans la ville se
souviendrait encore de lui.
« Vous reviendrez l'année prochaine ? » demanda l'apprentie, une jeune fille
de dix-sept ans aux mains déjà habiles, en rangeant les alênes et les marteaux
dans la vitrine où, depuis des décennies, dormait une paire de souliers rouges
qu'aucune cliente n'était jamais venue chercher.
)";

// The three texts in UTF-8, their lines ending in CR LF.
inline std::vector<std::string> TwinProseUtf8() {
  std::vector<std::string> texts;
  for (const std::string_view prose : {kGermanProse, kSpanishProse, kFrenchProse}) {
    std::string text;
    for (const char c : prose) {
      if (c == '\n') text += '\r';
      text += c;
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

// The Windows-1252 twin of UTF-8 prose.
inline std::string Windows1252Of(std::string_view utf8) {
  return text::encodeFromUtf8(utf8, text::Encoding::Windows1252);
}

// Text written in UTF-8, stored in `encoding` (DOS: the code page 850 bytes
// that read as its Windows-1252 characters).
inline std::string InEncoding(std::string_view utf8, text::Encoding encoding) {
  std::string bytes = text::encodeFromUtf8(utf8, encoding);
  if (encoding == text::Encoding::Dos850) {
    char dos[256];
    for (int c = 0; c < 256; ++c) dos[c] = static_cast<char>(c);
    for (int c = 255; c >= 0; --c)
      dos[static_cast<unsigned char>(text::dosToAnsi(static_cast<char>(c)))] = static_cast<char>(c);
    for (char& c : bytes) c = dos[static_cast<unsigned char>(c)];
  }
  return bytes;
}

}  // namespace lexvane::testing
