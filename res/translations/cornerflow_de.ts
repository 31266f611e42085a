<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The program's words in German. The source texts are the program's own (Russian, the
     default); the context Language gives the language's own name and the page's language
     tag, so this file alone adds the language to both shells. -->
<TS version="2.1" language="de" sourcelanguage="ru">
  <context>
    <name>Dialog</name>
    <message>
      <source>Ещё инструменты</source>
      <translation>Weitere Werkzeuge</translation>
    </message>
    <message>
      <source>Сохранить график…</source>
      <translation>Diagramm speichern…</translation>
    </message>
    <message>
      <source>Сохранить данные…</source>
      <translation>Daten speichern…</translation>
    </message>
    <message>
      <source>Таблицы CSV (*.csv)</source>
      <translation>CSV-Tabellen (*.csv)</translation>
    </message>
    <message>
      <source>График не сохранён</source>
      <translation>Das Diagramm wurde nicht gespeichert</translation>
    </message>
    <message>
      <source>Данные не сохранены</source>
      <translation>Die Daten wurden nicht gespeichert</translation>
    </message>
    <message>
      <source>Графики</source>
      <translation>Diagramm</translation>
    </message>
    <message>
      <source>Программа загружается…</source>
      <translation>Das Programm wird geladen…</translation>
    </message>
    <message>
      <source>Программу не удалось загрузить: нет файла cornerflow-core.js.</source>
      <translation>Das Programm konnte nicht geladen werden: Die Datei cornerflow-core.js fehlt.</translation>
    </message>
    <message>
      <source>Программу не удалось запустить: %1</source>
      <translation>Das Programm konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
      <source>Рисунок не скопирован: браузер не разрешил</source>
      <translation>Das Bild wurde nicht kopiert: Der Browser hat es nicht erlaubt</translation>
    </message>
    <message>
      <source>Ссылка скопирована</source>
      <translation>Link kopiert</translation>
    </message>
    <message>
      <source>Ссылка на это состояние (скопируйте её):</source>
      <translation>Link zu diesem Zustand (bitte kopieren):</translation>
    </message>
    <message>
      <source>В адресе не учтено: %1</source>
      <translation>In der Adresse nicht berücksichtigt: %1</translation>
    </message>
    <message>
      <source>%1: такого параметра нет</source>
      <translation>%1: diesen Parameter gibt es nicht</translation>
    </message>
    <message>
      <source>%1: «%2» — слишком длинное значение</source>
      <translation>%1: „%2“ – Wert zu lang</translation>
    </message>
    <message>
      <source>%1: «%2» — не число</source>
      <translation>%1: „%2“ ist keine Zahl</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно %3</source>
      <translation>%1: „%2“ – erforderlich ist %3</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно целое число %3</source>
      <translation>%1: „%2“ – erforderlich ist eine ganze Zahl %3</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно одно из: %3</source>
      <translation>%1: „%2“ – erforderlich ist eines von: %3</translation>
    </message>
    <message>
      <source>Браузер не разрешил показать страницу во весь экран</source>
      <translation>Der Browser hat die Vollbildanzeige nicht erlaubt</translation>
    </message>
    <message>
      <source>Коснитесь рисунка — поля покажут поток в этой точке. Стенку поворачивают, ведя её пальцем.</source>
      <translation>Tippen Sie auf das Bild: Die Felder zeigen die Strömung in diesem Punkt. Die Wand dreht man, indem man sie mit dem Finger zieht.</translation>
    </message>
    <message>
      <source>Копировать ссылку</source>
      <translation>Link kopieren</translation>
    </message>
    <message>
      <source>Во весь экран</source>
      <translation>Vollbild</translation>
    </message>
    <message>
      <source>О программе</source>
      <translation>Info</translation>
    </message>
    <message>
      <source>Обтекание тупого угла</source>
      <translation>Umströmung einer konvexen Ecke</translation>
    </message>
    <message>
      <source>Пауза</source>
      <translation>Pause</translation>
    </message>
    <message>
      <source>Шаг</source>
      <translation>Schritt</translation>
    </message>
    <message>
      <source>Сбросить</source>
      <translation>Zurücksetzen</translation>
    </message>
    <message>
      <source>Сохранить рисунок…</source>
      <translation>Bild speichern…</translation>
    </message>
    <message>
      <source>Копировать рисунок</source>
      <translation>Bild kopieren</translation>
    </message>
    <message>
      <source>Точная теория</source>
      <translation>Exakte Theorie</translation>
    </message>
    <message>
      <source>Language / Язык</source>
      <translation>Sprache / Language</translation>
    </message>
    <message>
      <source>Изображения PNG (*.png)</source>
      <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
      <source>Рисунок не сохранён</source>
      <translation>Das Bild wurde nicht gespeichert</translation>
    </message>
    <message>
      <source>Не удалось записать «%1»: %2. Ничего не изменено.</source>
      <translation>„%1“ konnte nicht geschrieben werden: %2. Es wurde nichts geändert.</translation>
    </message>
    <message>
      <source>такой папки нет</source>
      <translation>diesen Ordner gibt es nicht</translation>
    </message>
    <message>
      <source>нет права писать туда</source>
      <translation>dort fehlt die Schreibberechtigung</translation>
    </message>
    <message>
      <source>на диске не хватает места</source>
      <translation>der Datenträger ist voll</translation>
    </message>
    <message>
      <source>файл не удалось записать</source>
      <translation>die Datei konnte nicht geschrieben werden</translation>
    </message>
    <message>
      <source>Клавиши…</source>
      <translation>Tasten…</translation>
    </message>
    <message>
      <source>Обозначения</source>
      <translation>Legende</translation>
    </message>
    <message>
      <source>Пособие для учителя…</source>
      <translation>Handreichung für Lehrkräfte…</translation>
    </message>
    <message>
      <source>Пособие для учителя не найдено: %1</source>
      <translation>Die Handreichung für Lehrkräfte wurde nicht gefunden: %1</translation>
    </message>
    <message>
      <source>газ</source>
      <translation>Gas</translation>
    </message>
    <message>
      <source>г/моль</source>
      <translation>g/mol</translation>
    </message>
    <message>
      <source>Закрыть</source>
      <translation>Schließen</translation>
    </message>
    <message>
      <source>&amp;О программе Cornerflow…</source>
      <translation>Ü&amp;ber Cornerflow…</translation>
    </message>
    <message>
      <source>Течение по точной теории</source>
      <translation>Strömung nach exakter Theorie</translation>
    </message>
  </context>
  <context>
    <name>Field</name>
    <message>
      <source>прочитано: %1</source>
      <translation>gelesen als %1</translation>
    </message>
    <message>
      <source>критическая скорость, м/с</source>
      <translation>kritische Geschwindigkeit, m/s</translation>
    </message>
    <message>
      <source>критическая температура, К</source>
      <translation>kritische Temperatur, K</translation>
    </message>
    <message>
      <source>критическое давление, Па</source>
      <translation>kritischer Druck, Pa</translation>
    </message>
    <message>
      <source>критическая плотность, кг/м³</source>
      <translation>kritische Dichte, kg/m³</translation>
    </message>
    <message>
      <source>критический удельный объём, м³/кг</source>
      <translation>kritisches spezifisches Volumen, m³/kg</translation>
    </message>
    <message>
      <source>скорость набегающего потока, м/с</source>
      <translation>Anströmgeschwindigkeit, m/s</translation>
    </message>
    <message>
      <source>температура набегающего потока, К</source>
      <translation>Temperatur der Anströmung, K</translation>
    </message>
    <message>
      <source>давление набегающего потока, Па</source>
      <translation>Druck der Anströmung, Pa</translation>
    </message>
    <message>
      <source>плотность набегающего потока, кг/м³</source>
      <translation>Dichte der Anströmung, kg/m³</translation>
    </message>
    <message>
      <source>скорость звука в набегающем потоке, м/с</source>
      <translation>Schallgeschwindigkeit der Anströmung, m/s</translation>
    </message>
    <message>
      <source>скорость в точке под указателем, м/с</source>
      <translation>Geschwindigkeit im Punkt unter dem Zeiger, m/s</translation>
    </message>
    <message>
      <source>температура в точке под указателем, К</source>
      <translation>Temperatur im Punkt unter dem Zeiger, K</translation>
    </message>
    <message>
      <source>давление в точке под указателем, Па</source>
      <translation>Druck im Punkt unter dem Zeiger, Pa</translation>
    </message>
    <message>
      <source>плотность в точке под указателем, кг/м³</source>
      <translation>Dichte im Punkt unter dem Zeiger, kg/m³</translation>
    </message>
    <message>
      <source>число Маха набегающего потока</source>
      <translation>Machzahl der Anströmung</translation>
    </message>
    <message>
      <source>скорость звука в точке под указателем, м/с</source>
      <translation>Schallgeschwindigkeit im Punkt unter dem Zeiger, m/s</translation>
    </message>
    <message>
      <source>число Маха в точке под указателем</source>
      <translation>Machzahl im Punkt unter dem Zeiger</translation>
    </message>
    <message>
      <source>удельный объём набегающего потока, м³/кг</source>
      <translation>spezifisches Volumen der Anströmung, m³/kg</translation>
    </message>
    <message>
      <source>удельный объём в точке под указателем, м³/кг</source>
      <translation>spezifisches Volumen im Punkt unter dem Zeiger, m³/kg</translation>
    </message>
    <message>
      <source>окружная составляющая скорости в точке под указателем, м/с</source>
      <translation>Umfangskomponente der Geschwindigkeit im Punkt unter dem Zeiger, m/s</translation>
    </message>
    <message>
      <source>радиальная составляющая скорости в точке под указателем, м/с</source>
      <translation>Radialkomponente der Geschwindigkeit im Punkt unter dem Zeiger, m/s</translation>
    </message>
    <message>
      <source>Введите число и покиньте поле: всё пересчитается.</source>
      <translation>Geben Sie eine Zahl ein und verlassen Sie das Feld: Alles wird neu berechnet.</translation>
    </message>
    <message>
      <source>Вычисляется по V1, T1 и P1.</source>
      <translation>Berechnet aus V1, T1 und P1.</translation>
    </message>
    <message>
      <source>Поток в точке под указателем.</source>
      <translation>Die Strömung im Punkt unter dem Zeiger.</translation>
    </message>
    <message>
      <source>Cкр</source>
      <translation>Ckrit</translation>
    </message>
    <message>
      <source>Tкр</source>
      <translation>Tkrit</translation>
    </message>
    <message>
      <source>Pкр</source>
      <translation>Pkrit</translation>
    </message>
    <message>
      <source>ρкр</source>
      <translation>ρkrit</translation>
    </message>
    <message>
      <source>V0кр</source>
      <translation>V0krit</translation>
    </message>
    <message>
      <source>γ: нужно 1 &lt; γ ≤ 5/3</source>
      <translation>γ muss 1 &lt; γ ≤ 5/3 erfüllen</translation>
    </message>
    <message>
      <source>μ: нужно 1 ≤ μ ≤ 1000 г/моль</source>
      <translation>μ muss zwischen 1 und 1000 g/mol liegen</translation>
    </message>
    <message>
      <source>γ прочитано: %1</source>
      <translation>γ gelesen als: %1</translation>
    </message>
    <message>
      <source>γ принято равным 5/3</source>
      <translation>γ als 5/3 genommen</translation>
    </message>
    <message>
      <source>μ прочитано: %1</source>
      <translation>μ gelesen als: %1</translation>
    </message>
    <message>
      <source>γ: показатель адиабаты</source>
      <translation>γ: Isentropenexponent</translation>
    </message>
    <message>
      <source>μ: молярная масса, г/моль</source>
      <translation>μ: molare Masse, g/mol</translation>
    </message>
  </context>
  <context>
    <name>Picture</name>
    <message>
      <source>.</source>
      <translation>.</translation>
    </message>
    <message>
      <source>Надписи на рисунке: %1.</source>
      <translation>Beschriftungen im Bild: %1.</translation>
    </message>
    <message>
      <source>угол β = %1°, стенка повёрнута на %2°</source>
      <translation>Winkel β = %1°, Wand um %2° gedreht</translation>
    </message>
    <message>
      <source>Картина течения</source>
      <translation>Strömungsbild</translation>
    </message>
    <message>
      <source>Пауза: анимация остановлена</source>
      <translation>Pause: Die Animation ist angehalten</translation>
    </message>
    <message>
      <source>Пробел — пауза, точка — один шаг</source>
      <translation>Leertaste: Pause, Punkt: ein Schritt</translation>
    </message>
    <message>
      <source>%1 — такого состояния газа не бывает; поля показывают то, что программа вычисляет из введённых чисел</source>
      <translation>%1: einen solchen Gaszustand gibt es nicht; die Felder zeigen, was das Programm aus den eingegebenen Zahlen berechnet</translation>
    </message>
    <message>
      <source>по точной теории поток поворачивает не более чем на ν(∞) − ν(M1) = %1°; стенка повёрнута дальше, и за последней характеристикой — вакуум</source>
      <translation>nach der exakten Theorie dreht die Strömung höchstens um ν(∞) − ν(M1) = %1°; die Wand ist weiter gedreht, und hinter der letzten Charakteristik herrscht Vakuum</translation>
    </message>
    <message>
      <source>угол β = %1°, стенка повёрнута навстречу потоку на %2°</source>
      <translation>Winkel β = %1°, Wand um %2° in die Strömung hinein gedreht</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; поток прилегает к стенке</source>
      <translation>Wand um %1° gedreht, Strömung um %2° umgelenkt, Expansionsfächer %3° breit; die Strömung liegt an der Wand an</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — лишь на %2°, наибольший угол поворота модели, веер шириной %3°; поток отрывается от стенки</source>
      <translation>Wand um %1° gedreht, Strömung nur um %2° umgelenkt, den größten Umlenkwinkel des Modells, Expansionsfächer %3° breit; die Strömung löst sich von der Wand ab</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, веер шириной %2°; за веером поток модели идёт не вдоль стенки, а под углом %3° к ней</source>
      <translation>Wand um %1° gedreht, Expansionsfächer %2° breit; hinter dem Fächer verläuft die Strömung des Modells nicht an der Wand entlang, sondern unter %3° zu ihr</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; по модели поток идёт вдоль стенки</source>
      <translation>Wand um %1° gedreht, Strömung um %2° umgelenkt, Expansionsfächer %3° breit; im Modell verläuft die Strömung an der Wand entlang</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой (M1 &lt; 1): течение за углом не вычисляется, линии показывают только набегающий поток</source>
      <translation>keine Überschallströmung (M1 &lt; 1): die Strömung hinter der Ecke wird nicht berechnet, die Linien zeigen nur die Anströmung</translation>
    </message>
    <message>
      <source>V1 &lt; 0 — поток течёт назад; такого течения программа не описывает</source>
      <translation>V1 &lt; 0 ist eine rückwärts laufende Strömung; eine solche Strömung beschreibt das Programm nicht</translation>
    </message>
    <message>
      <source>по точной теории поток повернул бы на %1° и шёл бы вдоль стенки</source>
      <translation>nach der exakten Theorie würde die Strömung um %1° umgelenkt und liefe an der Wand entlang</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку на %1°: веера разрежения нет, модель программы такого течения не строит; его показывает точная теория — присоединённый косой скачок уплотнения</source>
      <translation>Wand um %1° in die Strömung hinein gedreht: kein Expansionsfächer, und das Modell des Programms bildet diese Strömung nicht ab; die exakte Theorie zeigt sie: ein anliegender schräger Verdichtungsstoß</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку на %1°: веера разрежения нет; по точной теории θ = %1° &gt; θmax = %2°, скачок уплотнения отходит от угла, и течение у угла не вычисляется</source>
      <translation>Wand um %1° in die Strömung hinein gedreht: kein Expansionsfächer; nach der exakten Theorie ist θ = %1° &gt; θmax = %2°, der Verdichtungsstoß löst sich von der Ecke ab, und die Strömung an der Ecke wird nicht berechnet</translation>
    </message>
    <message>
      <source>точная теория: стенка прямая, поток не поворачивает, M = M1 = %1</source>
      <translation>exakte Theorie: die Wand ist gerade, die Strömung wird nicht umgelenkt, M = M1 = %1</translation>
    </message>
    <message>
      <source>точная теория: стенка и поток повёрнуты на %1°, веер разрежения, за ним M2 = %2, P2/P1 = %3; поток прилегает к стенке</source>
      <translation>exakte Theorie: Wand und Strömung um %1° gedreht, ein Expansionsfächer, dahinter M2 = %2, P2/P1 = %3; die Strömung liegt an der Wand an</translation>
    </message>
    <message>
      <source>точная теория: стенка повёрнута на %1°, а поток — лишь на наибольший угол χmax = ν(∞) − ν(M1) = %2°; веер разрежения расширяет газ до вакуума, и между предельной линией тока и стенкой — вакуум</source>
      <translation>exakte Theorie: die Wand ist um %1° gedreht, die Strömung aber nur um den größten Umlenkwinkel χmax = ν(∞) − ν(M1) = %2°; der Expansionsfächer entspannt das Gas bis zum Vakuum, und zwischen der Grenzstromlinie und der Wand herrscht Vakuum</translation>
    </message>
    <message>
      <source>точная теория: стенка повёрнута навстречу потоку на θ = %1°; присоединённый косой скачок уплотнения под углом σ = %2° к набегающему потоку, за ним M2 = %3, P2/P1 = %4</source>
      <translation>exakte Theorie: die Wand ist um θ = %1° in die Strömung hinein gedreht; ein anliegender schräger Verdichtungsstoß unter σ = %2° zur Anströmung, dahinter M2 = %3, P2/P1 = %4</translation>
    </message>
    <message>
      <source>точная теория: θ = %1° &gt; θmax = %2°: скачок уплотнения отходит от угла; течение у угла не вычисляется</source>
      <translation>exakte Theorie: θ = %1° &gt; θmax = %2°: der Verdichtungsstoß löst sich ab; die Strömung an der Ecke wird nicht berechnet</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой (M1 &lt; 1): точная теория сверхзвукового обтекания неприменима, за углом ничего не вычисляется</source>
      <translation>keine Überschallströmung (M1 &lt; 1): die exakte Theorie der Überschallumströmung ist nicht anwendbar, hinter der Ecke wird nichts berechnet</translation>
    </message>
    <message>
      <source>точная теория сверхзвукового обтекания здесь неприменима: за углом ничего не вычисляется</source>
      <translation>die exakte Theorie der Überschallumströmung ist hier nicht anwendbar: hinter der Ecke wird nichts berechnet</translation>
    </message>
  </context>
  <context>
    <name>About</name>
    <message>
      <source>О программе Cornerflow</source>
      <translation>Über Cornerflow</translation>
    </message>
    <message>
      <source>Cornerflow, версия %1</source>
      <translation>Cornerflow, Version %1</translation>
    </message>
    <message>
      <source>Веер разрежения сверхзвукового потока у выпуклого угла</source>
      <translation>Der Expansionsfächer einer Überschallströmung an einer konvexen Ecke</translation>
    </message>
    <message>
      <source>Скомпилирована в WebAssembly и работает в браузере. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.</source>
      <translation>In WebAssembly übersetzt, läuft im Browser. Freie Software unter der MIT-Lizenz: Sie dürfen sie benutzen, kopieren und verändern.</translation>
    </message>
    <message>
      <source>© Разработчики Cornerflow</source>
      <translation>© Die Entwickler von Cornerflow</translation>
    </message>
    <message>
      <source>Клавиши на рисунке</source>
      <translation>Tasten im Bild</translation>
    </message>
    <message>
      <source>Программа построения визуальной модели процесса обтекания тупого угла сверхзвуковым потоком</source>
      <translation>Ein anschauliches Modell der Überschallumströmung einer konvexen Ecke</translation>
    </message>
    <message>
      <source>Пособие для учителя: что показать на уроке</source>
      <translation>Handreichung für Lehrkräfte: was sich im Unterricht zeigen lässt</translation>
    </message>
    <message>
      <source>Построена на инструментарии Qt 6. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.</source>
      <translation>Erstellt mit Qt 6. Freie Software unter der MIT-Lizenz: Sie dürfen sie benutzen, kopieren und verändern.</translation>
    </message>
    <message>
      <source>По умолчанию рисунок следует модели программы, а если выбрано «Течение по точной теории» — точной теории невязкого газа.</source>
      <translation>Das Bild folgt zunächst dem Modell des Programms, bei der Wahl „Strömung nach exakter Theorie“ der exakten Theorie des reibungsfreien Gases.</translation>
    </message>
  </context>
  <context>
    <name>Keys</name>
    <message>
      <source>← →, ↓ ↑</source>
      <translation>← →, ↓ ↑</translation>
    </message>
    <message>
      <source>повернуть стенку на 1°</source>
      <translation>Wand um 1° drehen</translation>
    </message>
    <message>
      <source>PgDn PgUp</source>
      <translation>Bild↓ Bild↑</translation>
    </message>
    <message>
      <source>повернуть стенку на 10°</source>
      <translation>Wand um 10° drehen</translation>
    </message>
    <message>
      <source>Home End</source>
      <translation>Pos1 Ende</translation>
    </message>
    <message>
      <source>стенка до края, куда её доводит мышь</source>
      <translation>Wand bis zum Anschlag, den auch die Maus erreicht</translation>
    </message>
    <message>
      <source>Пробел</source>
      <translation>Leertaste</translation>
    </message>
    <message>
      <source>остановить или продолжить анимацию</source>
      <translation>Animation anhalten oder fortsetzen</translation>
    </message>
    <message>
      <source>.</source>
      <translation>.</translation>
    </message>
    <message>
      <source>один шаг анимации</source>
      <translation>ein Schritt der Animation</translation>
    </message>
    <message>
      <source>F</source>
      <translation>F</translation>
    </message>
    <message>
      <source>во весь экран (на странице)</source>
      <translation>Vollbild (auf der Webseite)</translation>
    </message>
    <message>
      <source>Tab</source>
      <translation>Tab</translation>
    </message>
    <message>
      <source>к следующему полю</source>
      <translation>zum nächsten Feld</translation>
    </message>
    <message>
      <source>Клавиши</source>
      <translation>Tasten</translation>
    </message>
    <message>
      <source>Когда рисунок в фокусе (синяя полоса над ним):</source>
      <translation>Wenn das Bild den Fokus hat (blauer Balken darüber):</translation>
    </message>
    <message>
      <source>Shift + ← → ↓ ↑</source>
      <translation>Umschalt + ← → ↓ ↑</translation>
    </message>
    <message>
      <source>передвинуть точку, где поля показывают поток</source>
      <translation>den Punkt verschieben, an dem die Felder die Strömung zeigen</translation>
    </message>
    <message>
      <source>E</source>
      <translation>E</translation>
    </message>
    <message>
      <source>течение по точной теории или снова по модели программы</source>
      <translation>Strömung nach exakter Theorie oder wieder nach dem Modell des Programms</translation>
    </message>
  </context>
  <context>
    <name>Plot</name>
    <message>
      <source>Поток в веере: модель и точная теория</source>
      <translation>Strömung im Expansionsfächer: Modell und exakte Theorie</translation>
    </message>
    <message>
      <source>φ, °: направление от угла (0 — по набегающему потоку)</source>
      <translation>φ, °: Richtung von der Ecke aus (0 in Richtung der Anströmung)</translation>
    </message>
    <message>
      <source>отношение к набегающему потоку</source>
      <translation>bezogen auf die Anströmung</translation>
    </message>
    <message>
      <source>модель</source>
      <translation>Modell</translation>
    </message>
    <message>
      <source>точная теория</source>
      <translation>exakte Theorie</translation>
    </message>
    <message>
      <source>начало веера</source>
      <translation>Fächeranfang</translation>
    </message>
    <message>
      <source>конец: модель</source>
      <translation>Ende: Modell</translation>
    </message>
    <message>
      <source>конец: теория</source>
      <translation>Ende: Theorie</translation>
    </message>
    <message>
      <source>φ = %1°</source>
      <translation>φ = %1°</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой, веера нет</source>
      <translation>keine Überschallströmung, kein Fächer</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку: это сжатие, веера нет</source>
      <translation>Wand in die Strömung gedreht: eine Verdichtung, kein Fächer</translation>
    </message>
    <message>
      <source>M</source>
      <translation>M</translation>
    </message>
    <message>
      <source>P, Па</source>
      <translation>P, Pa</translation>
    </message>
    <message>
      <source>T, К</source>
      <translation>T, K</translation>
    </message>
    <message>
      <source>ρ, кг/м³</source>
      <translation>ρ, kg/m³</translation>
    </message>
    <message>
      <source>V, м/с</source>
      <translation>V, m/s</translation>
    </message>
    <message>
      <source>График состояния в веере</source>
      <translation>Zustandsverlauf im Expansionsfächer</translation>
    </message>
    <message>
      <source>Давление падает от %1 до %2 Па в веере модели; по точной теории — до %3 Па</source>
      <translation>Der Druck fällt im Fächer des Modells von %1 auf %2 Pa, nach der exakten Theorie auf %3 Pa</translation>
    </message>
    <message>
      <source>Поток не сверхзвуковой: такое течение программа не рассчитывает; давление набегающего потока %1 Па</source>
      <translation>Die Strömung ist keine Überschallströmung: Eine solche Strömung berechnet das Programm nicht; der Druck der Anströmung beträgt %1 Pa</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку: это сжатие, его модель не рассчитывает; давление набегающего потока %1 Па</source>
      <translation>Die Wand ist in die Strömung gedreht: Das ist eine Verdichtung, die das Modell nicht berechnet; der Druck der Anströmung beträgt %1 Pa</translation>
    </message>
    <message>
      <source>поворот потока →</source>
      <translation>Umlenkung der Strömung →</translation>
    </message>
    <message>
      <source>вакуум</source>
      <translation>Vakuum</translation>
    </message>
    <message>
      <source>точная теория: дальше вакуум →</source>
      <translation>exakte Theorie: dahinter Vakuum →</translation>
    </message>
    <message>
      <source>стенка не повёрнута: поток не поворачивает, веера нет</source>
      <translation>Wand nicht gedreht: keine Umlenkung, kein Fächer</translation>
    </message>
    <message>
      <source>Давление падает от %1 до %2 Па в веере модели; по точной теории поток расширяется до вакуума</source>
      <translation>Der Druck fällt im Fächer des Modells von %1 auf %2 Pa; nach der exakten Theorie expandiert die Strömung bis zum Vakuum</translation>
    </message>
    <message>
      <source>Стенка не повёрнута, поток не поворачивает, веера нет: давление везде %1 Па</source>
      <translation>Die Wand ist nicht gedreht, die Strömung wird nicht umgelenkt, kein Fächer: der Druck ist überall %1 Pa</translation>
    </message>
    <message>
      <source>Сплошные линии — упрощённая модель рисунка: состояние в её веере меняется по собственному профилю, а не по теории Прандтля — Майера, и край веера берётся интерполяцией по углу поворота; поэтому её числа расходятся с точной теорией (пунктир) во всём веере и за ним.</source>
      <translation>Die durchgezogenen Linien sind das vereinfachte Modell des Bildes: Der Zustand in seinem Fächer folgt einem eigenen Profil statt der Prandtl-Meyer-Theorie, und der Rand des Fächers wird über den Umlenkwinkel interpoliert; deshalb weichen seine Werte im ganzen Fächer und dahinter von der exakten Theorie (gestrichelt) ab.</translation>
    </message>
    <message>
      <source>Подробнее о модели</source>
      <translation>Mehr zum Modell</translation>
    </message>
    <message>
      <source>косой скачок</source>
      <translation>schräger Verdichtungsstoß</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, течение у угла не вычисляется</source>
      <translation>die Wand ist stärker als um den größten Umlenkwinkel in die Strömung gedreht: der Stoß löst sich ab, die Strömung an der Ecke wird nicht berechnet</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку: по точной теории на косом скачке под углом %3° давление растёт от %1 до %2 Па</source>
      <translation>Die Wand ist in die Strömung gedreht: nach der exakten Theorie steigt der Druck am schrägen Verdichtungsstoß unter %3° von %1 auf %2 Pa</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, течение у угла не вычисляется; давление набегающего потока %1 Па</source>
      <translation>Die Wand ist stärker als um den größten Umlenkwinkel in die Strömung gedreht: der Stoß löst sich ab, die Strömung an der Ecke wird nicht berechnet; Druck der Anströmung %1 Pa</translation>
    </message>
  </context>
  <context>
    <name>Label</name>
    <message>
      <source>кр</source>
      <comment>The subscript of a critical quantity in the field labels</comment>
      <translation>krit</translation>
    </message>
    <message>
      <source>м</source>
      <comment>Unit symbols of the field labels</comment>
      <translation>m</translation>
    </message>
    <message>
      <source>с</source>
      <translation>s</translation>
    </message>
    <message>
      <source>К</source>
      <translation>K</translation>
    </message>
    <message>
      <source>Па</source>
      <translation>Pa</translation>
    </message>
    <message>
      <source>кг</source>
      <translation>kg</translation>
    </message>
  </context>
  <context>
    <name>Language</name>
    <message>
      <source>Русский</source>
      <comment>The language's own name, as the language menus list it</comment>
      <translation>Deutsch</translation>
    </message>
    <message>
      <source>ru</source>
      <comment>The language tag of the page in this language (BCP 47)</comment>
      <translation>de</translation>
    </message>
  </context>
  <context>
    <name>Gas</name>
    <message>
      <source>воздух</source>
      <translation>Luft</translation>
    </message>
    <message>
      <source>азот</source>
      <translation>Stickstoff</translation>
    </message>
    <message>
      <source>кислород</source>
      <translation>Sauerstoff</translation>
    </message>
    <message>
      <source>гелий</source>
      <translation>Helium</translation>
    </message>
    <message>
      <source>аргон</source>
      <translation>Argon</translation>
    </message>
    <message>
      <source>углекислый газ</source>
      <translation>Kohlendioxid</translation>
    </message>
    <message>
      <source>водяной пар</source>
      <translation>Wasserdampf</translation>
    </message>
    <message>
      <source>метан</source>
      <translation>Methan</translation>
    </message>
    <message>
      <source>водород</source>
      <translation>Wasserstoff</translation>
    </message>
    <message>
      <source>свой газ</source>
      <translation>anderes Gas</translation>
    </message>
  </context>
  <context>
    <name>Legend</name>
    <message>
      <source>стенки тела: вдоль верхней набегает поток, нижнюю поворачивают мышью, пальцем или клавишами</source>
      <translation>die Wände des Körpers: längs der oberen strömt das Gas an; die untere wird mit der Maus, dem Finger oder den Tasten gedreht</translation>
    </message>
    <message>
      <source>дуга угла β между стенками, продолжение верхней стенки за углом и дуга угла α</source>
      <translation>der Bogen des Winkels β zwischen den Wänden, die Verlängerung der oberen Wand hinter der Ecke und der Bogen des Winkels α</translation>
    </message>
    <message>
      <source>граница потока: стенка повёрнута дальше наибольшего угла поворота, поток отрывается от неё и идёт вдоль этой линии</source>
      <translation>die Strömungsgrenze: die Wand ist über den größten Umlenkwinkel hinaus gedreht, die Strömung löst sich von ihr und folgt dieser Linie</translation>
    </message>
    <message>
      <source>частицы газа: их движение показывает скорость потока</source>
      <translation>Gasteilchen: ihre Bewegung zeigt die Strömungsgeschwindigkeit</translation>
    </message>
    <message>
      <source>линии тока: пути, по которым частицы проходят веер</source>
      <translation>Stromlinien: die Wege, auf denen Teilchen den Fächer durchqueren</translation>
    </message>
    <message>
      <source>маркер — частица, чей радиус показывает давление: чем ниже давление, тем больше круг</source>
      <translation>der Marker, ein Teilchen, dessen Radius den Druck zeigt: je niedriger der Druck, desto größer der Kreis</translation>
    </message>
    <message>
      <source>точная теория (меню «Точная теория»): её последняя характеристика и её линии тока</source>
      <translation>die exakte Theorie (Menü „Exakte Theorie“): ihre letzte Charakteristik und ihre Stromlinien</translation>
    </message>
    <message>
      <source>β — угол тела между стенками; при β = 180° стенка прямая</source>
      <translation>β ist der Körperwinkel zwischen den Wänden; bei β = 180° ist die Wand gerade</translation>
    </message>
    <message>
      <source>α — угол Маха набегающего потока, sin α = 1/M1: между потоком и первой характеристикой</source>
      <translation>α ist der Machwinkel der Anströmung, sin α = 1/M1: zwischen Strömung und erster Charakteristik</translation>
    </message>
    <message>
      <source>χ — угол, на который повернул поток; он не больше наибольшего угла поворота, поэтому за ним β + χ меньше 180°</source>
      <translation>χ ist der Winkel, um den die Strömung umgelenkt ist; er ist nie größer als der größte Umlenkwinkel, daher ist β + χ jenseits davon kleiner als 180°</translation>
    </message>
    <message>
      <source>Δφ — ширина веера: угол между первой и последней характеристиками</source>
      <translation>Δφ ist die Breite des Fächers: der Winkel zwischen erster und letzter Charakteristik</translation>
    </message>
    <message>
      <source>M1, V1, T1, P1, ρ1, c1 — число Маха, скорость, температура, давление, плотность и скорость звука набегающего потока; V1, T1 и P1 вводятся</source>
      <translation>M1, V1, T1, P1, ρ1, c1: Machzahl, Geschwindigkeit, Temperatur, Druck, Dichte und Schallgeschwindigkeit der Anströmung; V1, T1 und P1 werden eingegeben</translation>
    </message>
    <message>
      <source>V0 — удельный объём, 1/ρ; индекс «кр» — критическое состояние, где скорость равна местной скорости звука</source>
      <translation>V0 ist das spezifische Volumen, 1/ρ; der Index „krit“ kennzeichnet den kritischen Zustand, in dem die Geschwindigkeit gleich der örtlichen Schallgeschwindigkeit ist</translation>
    </message>
    <message>
      <source>M, V, T, P, ρ, c — поток в точке, которую указывают мышью, пальцем или клавишами Shift со стрелками</source>
      <translation>M, V, T, P, ρ, c: die Strömung an dem Punkt, auf den Maus, Finger oder Umschalt mit den Pfeiltasten zeigen</translation>
    </message>
    <message>
      <source>дуга угла β между стенками</source>
      <translation>der Bogen des Winkels β zwischen den Wänden</translation>
    </message>
    <message>
      <source>штриховые линии из угла: почти вертикальная — звуковая линия, направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая характеристика, где начинается веер разрежения; последняя характеристика, где он кончается</source>
      <translation>gestrichelte Linien aus der Ecke: die fast senkrechte ist die Schalllinie, die Richtung, in der ein zentrierter Fächer Schallgeschwindigkeit hätte (die Anströmung ist dort noch Überschall); die erste Charakteristik, wo der Expansionsfächer beginnt; die letzte Charakteristik, wo er endet</translation>
    </message>
    <message>
      <source>штриховые линии из угла: звуковая линия — направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая характеристика, где начинается веер разрежения; последняя характеристика, где он кончается</source>
      <translation>gestrichelte Linien aus der Ecke: die Schalllinie, die Richtung, in der ein zentrierter Fächer Schallgeschwindigkeit hätte (die Anströmung ist dort noch Überschall); die erste Charakteristik, wo der Expansionsfächer beginnt; die letzte Charakteristik, wo er endet</translation>
    </message>
    <message>
      <source>штриховые линии из угла: первая и последняя линии Маха веера разрежения по точной теории</source>
      <translation>gestrichelte Linien aus der Ecke: die erste und die letzte Machlinie des Expansionsfächers nach exakter Theorie</translation>
    </message>
    <message>
      <source>косой скачок уплотнения: на нём поток поворачивает вдоль стенки, давление и плотность возрастают</source>
      <translation>der schräge Verdichtungsstoß: an ihm wird die Strömung parallel zur Wand umgelenkt, Druck und Dichte steigen</translation>
    </message>
    <message>
      <source>предельная линия тока: на ней газ расширился до нулевого давления</source>
      <translation>die Grenzstromlinie: auf ihr ist das Gas bis zum Druck null entspannt</translation>
    </message>
    <message>
      <source>вакуум: между предельной линией тока и стенкой газа нет</source>
      <translation>Vakuum: zwischen der Grenzstromlinie und der Wand ist kein Gas</translation>
    </message>
    <message>
      <source>линии тока: пути частиц газа</source>
      <translation>Stromlinien: die Wege der Gasteilchen</translation>
    </message>
    <message>
      <source>точная теория (кнопка «Точная теория»): её последняя характеристика и её линии тока</source>
      <translation>die exakte Theorie (Schaltfläche „Exakte Theorie“): ihre letzte Charakteristik und ihre Stromlinien</translation>
    </message>
    <message>
      <source>штриховые линии из угла по точной теории: звуковая линия — направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая и последняя линии Маха веера разрежения</source>
      <translation>gestrichelte Linien aus der Ecke nach exakter Theorie: die Schalllinie, die Richtung, in der ein zentrierter Fächer Schallgeschwindigkeit hätte (die Anströmung ist dort noch Überschall); die erste und die letzte Machlinie des Expansionsfächers</translation>
    </message>
    <message>
      <source>область, которую точная теория не вычисляет: скачок уплотнения отошёл от угла, или поток не сверхзвуковой</source>
      <translation>der Bereich, den die exakte Theorie nicht berechnet: der Verdichtungsstoß hat sich von der Ecke abgelöst, oder die Strömung ist keine Überschallströmung</translation>
    </message>
    <message>
      <source>θ — угол, на который стенка повёрнута навстречу потоку; σ — угол скачка уплотнения к набегающему потоку</source>
      <translation>θ ist der Winkel, um den die Wand in die Strömung hinein gedreht ist; σ der Winkel des Verdichtungsstoßes zur Anströmung</translation>
    </message>
    <message>
      <source>θ — угол, на который стенка повёрнута навстречу потоку; θmax — наибольший угол, на который поток поворачивает присоединённый скачок уплотнения</source>
      <translation>θ ist der Winkel, um den die Wand in die Strömung hinein gedreht ist; θmax der größte Winkel, um den ein anliegender Verdichtungsstoß die Strömung umlenkt</translation>
    </message>
  </context>
</TS>
