<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The program's words in English. The source texts are the program's own (Russian, the
     default); the context Language gives the language's own name and the page's language
     tag, so this file alone adds the language to both shells. -->
<TS version="2.1" language="en" sourcelanguage="ru">
  <context>
    <name>Dialog</name>
    <message>
      <source>Ещё инструменты</source>
      <translation>More tools</translation>
    </message>
    <message>
      <source>Сохранить график…</source>
      <translation>Save plot…</translation>
    </message>
    <message>
      <source>Сохранить данные…</source>
      <translation>Save data…</translation>
    </message>
    <message>
      <source>Таблицы CSV (*.csv)</source>
      <translation>CSV tables (*.csv)</translation>
    </message>
    <message>
      <source>График не сохранён</source>
      <translation>The plot was not saved</translation>
    </message>
    <message>
      <source>Данные не сохранены</source>
      <translation>The data were not saved</translation>
    </message>
    <message>
      <source>Графики</source>
      <translation>Plot</translation>
    </message>
    <message>
      <source>Программа загружается…</source>
      <translation>The program is loading…</translation>
    </message>
    <message>
      <source>Программу не удалось загрузить: нет файла cornerflow-core.js.</source>
      <translation>The program could not be loaded: there is no file cornerflow-core.js.</translation>
    </message>
    <message>
      <source>Программу не удалось запустить: %1</source>
      <translation>The program could not be started: %1</translation>
    </message>
    <message>
      <source>Рисунок не скопирован: браузер не разрешил</source>
      <translation>The picture was not copied: the browser did not allow it</translation>
    </message>
    <message>
      <source>Ссылка скопирована</source>
      <translation>Link copied</translation>
    </message>
    <message>
      <source>Ссылка на это состояние (скопируйте её):</source>
      <translation>A link to this state (copy it):</translation>
    </message>
    <message>
      <source>В адресе не учтено: %1</source>
      <translation>Left out of the address: %1</translation>
    </message>
    <message>
      <source>%1: такого параметра нет</source>
      <translation>%1: no such parameter</translation>
    </message>
    <message>
      <source>%1: «%2» — слишком длинное значение</source>
      <translation>%1: “%2” — value too long</translation>
    </message>
    <message>
      <source>%1: «%2» — не число</source>
      <translation>%1: “%2” is not a number</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно %3</source>
      <translation>%1: “%2” — must be %3</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно целое число %3</source>
      <translation>%1: “%2” — must be a whole number %3</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно одно из: %3</source>
      <translation>%1: “%2” — must be one of: %3</translation>
    </message>
    <message>
      <source>Браузер не разрешил показать страницу во весь экран</source>
      <translation>The browser did not allow the page to fill the screen</translation>
    </message>
    <message>
      <source>Коснитесь рисунка — поля покажут поток в этой точке. Стенку поворачивают, ведя её пальцем.</source>
      <translation>Touch the picture: the fields show the flow at that point. Drag the wall with a finger to turn it.</translation>
    </message>
    <message>
      <source>Копировать ссылку</source>
      <translation>Copy link</translation>
    </message>
    <message>
      <source>Во весь экран</source>
      <translation>Full screen</translation>
    </message>
    <message>
      <source>О программе</source>
      <translation>About</translation>
    </message>
    <message>
      <source>Обтекание тупого угла</source>
      <translation>Flow round a convex corner</translation>
    </message>
    <message>
      <source>Пауза</source>
      <translation>Pause</translation>
    </message>
    <message>
      <source>Шаг</source>
      <translation>Step</translation>
    </message>
    <message>
      <source>Сбросить</source>
      <translation>Reset</translation>
    </message>
    <message>
      <source>Сохранить рисунок…</source>
      <translation>Save picture…</translation>
    </message>
    <message>
      <source>Копировать рисунок</source>
      <translation>Copy picture</translation>
    </message>
    <message>
      <source>Точная теория</source>
      <translation>Exact theory</translation>
    </message>
    <message>
      <source>Language / Язык</source>
      <translation>Language</translation>
    </message>
    <message>
      <source>Изображения PNG (*.png)</source>
      <translation>PNG images (*.png)</translation>
    </message>
    <message>
      <source>Рисунок не сохранён</source>
      <translation>The picture was not saved</translation>
    </message>
    <message>
      <source>Не удалось записать «%1»: %2. Ничего не изменено.</source>
      <translation>Cannot write “%1”: %2. Nothing was changed.</translation>
    </message>
    <message>
      <source>такой папки нет</source>
      <translation>there is no such folder</translation>
    </message>
    <message>
      <source>нет права писать туда</source>
      <translation>there is no permission to write there</translation>
    </message>
    <message>
      <source>на диске не хватает места</source>
      <translation>the disk is full</translation>
    </message>
    <message>
      <source>файл не удалось записать</source>
      <translation>the file could not be written</translation>
    </message>
    <message>
      <source>Клавиши…</source>
      <translation>Keys…</translation>
    </message>
    <message>
      <source>Обозначения</source>
      <translation>Legend</translation>
    </message>
    <message>
      <source>Пособие для учителя…</source>
      <translation>Teacher's guide…</translation>
    </message>
    <message>
      <source>Пособие для учителя не найдено: %1</source>
      <translation>The teacher's guide was not found: %1</translation>
    </message>
    <message>
      <source>газ</source>
      <translation>gas</translation>
    </message>
    <message>
      <source>г/моль</source>
      <translation>g/mol</translation>
    </message>
    <message>
      <source>Закрыть</source>
      <translation>Close</translation>
    </message>
    <message>
      <source>&amp;О программе Cornerflow…</source>
      <translation>&amp;About Cornerflow…</translation>
    </message>
    <message>
      <source>Течение по точной теории</source>
      <translation>Flow by the exact theory</translation>
    </message>
  </context>
  <context>
    <name>Field</name>
    <message>
      <source>прочитано: %1</source>
      <translation>read as %1</translation>
    </message>
    <message>
      <source>критическая скорость, м/с</source>
      <translation>critical speed, m/s</translation>
    </message>
    <message>
      <source>критическая температура, К</source>
      <translation>critical temperature, K</translation>
    </message>
    <message>
      <source>критическое давление, Па</source>
      <translation>critical pressure, Pa</translation>
    </message>
    <message>
      <source>критическая плотность, кг/м³</source>
      <translation>critical density, kg/m³</translation>
    </message>
    <message>
      <source>критический удельный объём, м³/кг</source>
      <translation>critical specific volume, m³/kg</translation>
    </message>
    <message>
      <source>скорость набегающего потока, м/с</source>
      <translation>speed of the oncoming flow, m/s</translation>
    </message>
    <message>
      <source>температура набегающего потока, К</source>
      <translation>temperature of the oncoming flow, K</translation>
    </message>
    <message>
      <source>давление набегающего потока, Па</source>
      <translation>pressure of the oncoming flow, Pa</translation>
    </message>
    <message>
      <source>плотность набегающего потока, кг/м³</source>
      <translation>density of the oncoming flow, kg/m³</translation>
    </message>
    <message>
      <source>скорость звука в набегающем потоке, м/с</source>
      <translation>speed of sound in the oncoming flow, m/s</translation>
    </message>
    <message>
      <source>скорость в точке под указателем, м/с</source>
      <translation>speed at the pointer, m/s</translation>
    </message>
    <message>
      <source>температура в точке под указателем, К</source>
      <translation>temperature at the pointer, K</translation>
    </message>
    <message>
      <source>давление в точке под указателем, Па</source>
      <translation>pressure at the pointer, Pa</translation>
    </message>
    <message>
      <source>плотность в точке под указателем, кг/м³</source>
      <translation>density at the pointer, kg/m³</translation>
    </message>
    <message>
      <source>число Маха набегающего потока</source>
      <translation>Mach number of the oncoming flow</translation>
    </message>
    <message>
      <source>скорость звука в точке под указателем, м/с</source>
      <translation>speed of sound at the pointer, m/s</translation>
    </message>
    <message>
      <source>число Маха в точке под указателем</source>
      <translation>Mach number at the pointer</translation>
    </message>
    <message>
      <source>удельный объём набегающего потока, м³/кг</source>
      <translation>specific volume of the oncoming flow, m³/kg</translation>
    </message>
    <message>
      <source>удельный объём в точке под указателем, м³/кг</source>
      <translation>specific volume at the pointer, m³/kg</translation>
    </message>
    <message>
      <source>окружная составляющая скорости в точке под указателем, м/с</source>
      <translation>circumferential velocity component at the pointer, m/s</translation>
    </message>
    <message>
      <source>радиальная составляющая скорости в точке под указателем, м/с</source>
      <translation>radial velocity component at the pointer, m/s</translation>
    </message>
    <message>
      <source>Введите число и покиньте поле: всё пересчитается.</source>
      <translation>Type a number and leave the field: everything is recomputed.</translation>
    </message>
    <message>
      <source>Вычисляется по V1, T1 и P1.</source>
      <translation>Computed from V1, T1 and P1.</translation>
    </message>
    <message>
      <source>Поток в точке под указателем.</source>
      <translation>The flow at the point under the pointer.</translation>
    </message>
    <message>
      <source>Cкр</source>
      <translation>Ccr</translation>
    </message>
    <message>
      <source>Tкр</source>
      <translation>Tcr</translation>
    </message>
    <message>
      <source>Pкр</source>
      <translation>Pcr</translation>
    </message>
    <message>
      <source>ρкр</source>
      <translation>ρcr</translation>
    </message>
    <message>
      <source>V0кр</source>
      <translation>V0cr</translation>
    </message>
    <message>
      <source>γ: нужно 1 &lt; γ ≤ 5/3</source>
      <translation>γ must satisfy 1 &lt; γ ≤ 5/3</translation>
    </message>
    <message>
      <source>μ: нужно 1 ≤ μ ≤ 1000 г/моль</source>
      <translation>μ must lie between 1 and 1000 g/mol</translation>
    </message>
    <message>
      <source>γ прочитано: %1</source>
      <translation>γ read as: %1</translation>
    </message>
    <message>
      <source>γ принято равным 5/3</source>
      <translation>γ taken as 5/3</translation>
    </message>
    <message>
      <source>μ прочитано: %1</source>
      <translation>μ read as: %1</translation>
    </message>
    <message>
      <source>γ: показатель адиабаты</source>
      <translation>γ: ratio of specific heats</translation>
    </message>
    <message>
      <source>μ: молярная масса, г/моль</source>
      <translation>μ: molar mass, g/mol</translation>
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
      <translation>Labels in the picture: %1.</translation>
    </message>
    <message>
      <source>угол β = %1°, стенка повёрнута на %2°</source>
      <translation>angle β = %1°, wall turned %2°</translation>
    </message>
    <message>
      <source>Картина течения</source>
      <translation>Flow picture</translation>
    </message>
    <message>
      <source>Пауза: анимация остановлена</source>
      <translation>Paused: the animation is stopped</translation>
    </message>
    <message>
      <source>Пробел — пауза, точка — один шаг</source>
      <translation>Space pauses, the full stop steps once</translation>
    </message>
    <message>
      <source>%1 — такого состояния газа не бывает; поля показывают то, что программа вычисляет из введённых чисел</source>
      <translation>%1: no gas has such a state; the fields show what the program computes from the numbers typed</translation>
    </message>
    <message>
      <source>по точной теории поток поворачивает не более чем на ν(∞) − ν(M1) = %1°; стенка повёрнута дальше, и за последней характеристикой — вакуум</source>
      <translation>by the exact theory the flow turns at most ν(∞) − ν(M1) = %1°; the wall is turned further, and past the last characteristic there is a vacuum</translation>
    </message>
    <message>
      <source>угол β = %1°, стенка повёрнута навстречу потоку на %2°</source>
      <translation>angle β = %1°, wall turned %2° into the flow</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; поток прилегает к стенке</source>
      <translation>wall turned %1°, flow turned %2°, fan %3° wide; the flow stays attached to the wall</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — лишь на %2°, наибольший угол поворота модели, веер шириной %3°; поток отрывается от стенки</source>
      <translation>wall turned %1°, flow turned only %2°, the model's largest turning angle, fan %3° wide; the flow separates from the wall</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, веер шириной %2°; за веером поток модели идёт не вдоль стенки, а под углом %3° к ней</source>
      <translation>wall turned %1°, fan %2° wide; past the fan the model's flow runs not along the wall but at %3° to it</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; по модели поток идёт вдоль стенки</source>
      <translation>wall turned %1°, flow turned %2°, fan %3° wide; in the model the flow runs along the wall</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой (M1 &lt; 1): течение за углом не вычисляется, линии показывают только набегающий поток</source>
      <translation>the flow is not supersonic (M1 &lt; 1): the flow past the corner is not computed, and the lines show the oncoming flow only</translation>
    </message>
    <message>
      <source>V1 &lt; 0 — поток течёт назад; такого течения программа не описывает</source>
      <translation>V1 &lt; 0 is a flow running backwards, which this program does not describe</translation>
    </message>
    <message>
      <source>по точной теории поток повернул бы на %1° и шёл бы вдоль стенки</source>
      <translation>by the exact theory the flow would turn %1° and run along the wall</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку на %1°: веера разрежения нет, модель программы такого течения не строит; его показывает точная теория — присоединённый косой скачок уплотнения</source>
      <translation>wall turned %1° into the flow: there is no expansion fan, and the program's model does not build this flow; the exact theory shows it: an attached oblique shock</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку на %1°: веера разрежения нет; по точной теории θ = %1° &gt; θmax = %2°, скачок уплотнения отходит от угла, и течение у угла не вычисляется</source>
      <translation>wall turned %1° into the flow: there is no expansion fan; by the exact theory θ = %1° &gt; θmax = %2°, the shock detaches from the corner, and the flow at the corner is not computed</translation>
    </message>
    <message>
      <source>точная теория: стенка прямая, поток не поворачивает, M = M1 = %1</source>
      <translation>exact theory: the wall is straight, the flow does not turn, M = M1 = %1</translation>
    </message>
    <message>
      <source>точная теория: стенка и поток повёрнуты на %1°, веер разрежения, за ним M2 = %2, P2/P1 = %3; поток прилегает к стенке</source>
      <translation>exact theory: wall and flow turned %1° through an expansion fan, past it M2 = %2, P2/P1 = %3; the flow stays attached to the wall</translation>
    </message>
    <message>
      <source>точная теория: стенка повёрнута на %1°, а поток — лишь на наибольший угол χmax = ν(∞) − ν(M1) = %2°; веер разрежения расширяет газ до вакуума, и между предельной линией тока и стенкой — вакуум</source>
      <translation>exact theory: the wall is turned %1°, but the flow only by the largest turn χmax = ν(∞) − ν(M1) = %2°; the expansion fan expands the gas to vacuum, and between the limiting streamline and the wall there is a vacuum</translation>
    </message>
    <message>
      <source>точная теория: стенка повёрнута навстречу потоку на θ = %1°; присоединённый косой скачок уплотнения под углом σ = %2° к набегающему потоку, за ним M2 = %3, P2/P1 = %4</source>
      <translation>exact theory: the wall is turned θ = %1° into the flow; an attached oblique shock at σ = %2° to the oncoming flow, behind it M2 = %3, P2/P1 = %4</translation>
    </message>
    <message>
      <source>точная теория: θ = %1° &gt; θmax = %2°: скачок уплотнения отходит от угла; течение у угла не вычисляется</source>
      <translation>exact theory: θ = %1° &gt; θmax = %2°: the shock detaches; the flow at the corner is not computed</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой (M1 &lt; 1): точная теория сверхзвукового обтекания неприменима, за углом ничего не вычисляется</source>
      <translation>the flow is not supersonic (M1 &lt; 1): the exact theory of supersonic flow does not apply, and nothing past the corner is computed</translation>
    </message>
    <message>
      <source>точная теория сверхзвукового обтекания здесь неприменима: за углом ничего не вычисляется</source>
      <translation>the exact theory of supersonic flow does not apply here: nothing past the corner is computed</translation>
    </message>
  </context>
  <context>
    <name>About</name>
    <message>
      <source>О программе Cornerflow</source>
      <translation>About Cornerflow</translation>
    </message>
    <message>
      <source>Cornerflow, версия %1</source>
      <translation>Cornerflow, version %1</translation>
    </message>
    <message>
      <source>Веер разрежения сверхзвукового потока у выпуклого угла</source>
      <translation>The expansion fan of a supersonic flow round a corner</translation>
    </message>
    <message>
      <source>Скомпилирована в WebAssembly и работает в браузере. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.</source>
      <translation>Compiled to WebAssembly; runs in the browser. Free software under the MIT licence: use, copy and change it as you like.</translation>
    </message>
    <message>
      <source>© Разработчики Cornerflow</source>
      <translation>© The Cornerflow developers</translation>
    </message>
    <message>
      <source>Клавиши на рисунке</source>
      <translation>Keys on the picture</translation>
    </message>
    <message>
      <source>Программа построения визуальной модели процесса обтекания тупого угла сверхзвуковым потоком</source>
      <translation>A program that builds a visual model of supersonic flow round a convex corner</translation>
    </message>
    <message>
      <source>Пособие для учителя: что показать на уроке</source>
      <translation>The teacher's guide: what to show in a lesson</translation>
    </message>
    <message>
      <source>Построена на инструментарии Qt 6. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.</source>
      <translation>Built with the Qt 6 toolkit. Free software under the MIT licence: use, copy and change it as you like.</translation>
    </message>
    <message>
      <source>По умолчанию рисунок следует модели программы, а если выбрано «Течение по точной теории» — точной теории невязкого газа.</source>
      <translation>By default the picture follows the program's model, or the exact inviscid theory when “Flow by the exact theory” is chosen.</translation>
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
      <translation>turn the wall by 1°</translation>
    </message>
    <message>
      <source>PgDn PgUp</source>
      <translation>PgDn PgUp</translation>
    </message>
    <message>
      <source>повернуть стенку на 10°</source>
      <translation>turn the wall by 10°</translation>
    </message>
    <message>
      <source>Home End</source>
      <translation>Home End</translation>
    </message>
    <message>
      <source>стенка до края, куда её доводит мышь</source>
      <translation>the wall to the end a drag reaches</translation>
    </message>
    <message>
      <source>Пробел</source>
      <translation>Space</translation>
    </message>
    <message>
      <source>остановить или продолжить анимацию</source>
      <translation>stop or go on with the animation</translation>
    </message>
    <message>
      <source>.</source>
      <translation>.</translation>
    </message>
    <message>
      <source>один шаг анимации</source>
      <translation>one step of the animation</translation>
    </message>
    <message>
      <source>F</source>
      <translation>F</translation>
    </message>
    <message>
      <source>во весь экран (на странице)</source>
      <translation>full screen (on the page)</translation>
    </message>
    <message>
      <source>Tab</source>
      <translation>Tab</translation>
    </message>
    <message>
      <source>к следующему полю</source>
      <translation>to the next field</translation>
    </message>
    <message>
      <source>Клавиши</source>
      <translation>Keys</translation>
    </message>
    <message>
      <source>Когда рисунок в фокусе (синяя полоса над ним):</source>
      <translation>While the picture has the focus (the blue bar above it):</translation>
    </message>
    <message>
      <source>Shift + ← → ↓ ↑</source>
      <translation>Shift + ← → ↓ ↑</translation>
    </message>
    <message>
      <source>передвинуть точку, где поля показывают поток</source>
      <translation>move the point where the fields read the flow</translation>
    </message>
    <message>
      <source>E</source>
      <translation>E</translation>
    </message>
    <message>
      <source>течение по точной теории или снова по модели программы</source>
      <translation>flow by the exact theory, or by the program's model again</translation>
    </message>
  </context>
  <context>
    <name>Plot</name>
    <message>
      <source>Поток в веере: модель и точная теория</source>
      <translation>The flow through the fan: model and exact theory</translation>
    </message>
    <message>
      <source>φ, °: направление от угла (0 — по набегающему потоку)</source>
      <translation>φ, °: direction from the corner (0 along the oncoming flow)</translation>
    </message>
    <message>
      <source>отношение к набегающему потоку</source>
      <translation>ratio to the oncoming flow</translation>
    </message>
    <message>
      <source>модель</source>
      <translation>model</translation>
    </message>
    <message>
      <source>точная теория</source>
      <translation>exact theory</translation>
    </message>
    <message>
      <source>начало веера</source>
      <translation>fan starts</translation>
    </message>
    <message>
      <source>конец: модель</source>
      <translation>end: model</translation>
    </message>
    <message>
      <source>конец: теория</source>
      <translation>end: theory</translation>
    </message>
    <message>
      <source>φ = %1°</source>
      <translation>φ = %1°</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой, веера нет</source>
      <translation>flow not supersonic, no fan</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку: это сжатие, веера нет</source>
      <translation>the wall turns into the flow: a compression, no fan</translation>
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
      <translation>Plot of the state through the fan</translation>
    </message>
    <message>
      <source>Давление падает от %1 до %2 Па в веере модели; по точной теории — до %3 Па</source>
      <translation>The pressure falls from %1 to %2 Pa through the model's fan; by the exact theory, to %3 Pa</translation>
    </message>
    <message>
      <source>Поток не сверхзвуковой: такое течение программа не рассчитывает; давление набегающего потока %1 Па</source>
      <translation>The flow is not supersonic: the program does not compute such a flow; the oncoming flow's pressure is %1 Pa</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку: это сжатие, его модель не рассчитывает; давление набегающего потока %1 Па</source>
      <translation>The wall turns into the flow: this is a compression, which the model does not compute; the oncoming flow's pressure is %1 Pa</translation>
    </message>
    <message>
      <source>поворот потока →</source>
      <translation>flow turns →</translation>
    </message>
    <message>
      <source>вакуум</source>
      <translation>vacuum</translation>
    </message>
    <message>
      <source>точная теория: дальше вакуум →</source>
      <translation>exact theory: vacuum beyond →</translation>
    </message>
    <message>
      <source>стенка не повёрнута: поток не поворачивает, веера нет</source>
      <translation>the wall is straight: the flow does not turn, no fan</translation>
    </message>
    <message>
      <source>Давление падает от %1 до %2 Па в веере модели; по точной теории поток расширяется до вакуума</source>
      <translation>The pressure falls from %1 to %2 Pa through the model's fan; by the exact theory, the flow expands to a vacuum</translation>
    </message>
    <message>
      <source>Стенка не повёрнута, поток не поворачивает, веера нет: давление везде %1 Па</source>
      <translation>The wall is straight, the flow does not turn, no fan: the pressure is %1 Pa everywhere</translation>
    </message>
    <message>
      <source>Сплошные линии — упрощённая модель рисунка: состояние в её веере меняется по собственному профилю, а не по теории Прандтля — Майера, и край веера берётся интерполяцией по углу поворота; поэтому её числа расходятся с точной теорией (пунктир) во всём веере и за ним.</source>
      <translation>The solid lines are the picture's simplified model: the state in its fan follows a profile of its own rather than the Prandtl–Meyer theory, and the fan's last edge is interpolated in the turning angle; so its numbers differ from the exact theory (dashed) throughout the fan and past it.</translation>
    </message>
    <message>
      <source>Подробнее о модели</source>
      <translation>More about the model</translation>
    </message>
    <message>
      <source>косой скачок</source>
      <translation>oblique shock</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, течение у угла не вычисляется</source>
      <translation>the wall is turned into the flow beyond the largest deflection: the shock detaches, and the flow at the corner is not computed</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку: по точной теории на косом скачке под углом %3° давление растёт от %1 до %2 Па</source>
      <translation>The wall is turned into the flow: by the exact theory the pressure rises from %1 to %2 Pa across the oblique shock at %3°</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, течение у угла не вычисляется; давление набегающего потока %1 Па</source>
      <translation>The wall is turned into the flow beyond the largest deflection: the shock detaches, and the flow at the corner is not computed; the oncoming flow's pressure is %1 Pa</translation>
    </message>
  </context>
  <context>
    <name>Label</name>
    <message>
      <source>кр</source>
      <comment>The subscript of a critical quantity in the field labels</comment>
      <translation>cr</translation>
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
      <translation>English</translation>
    </message>
    <message>
      <source>ru</source>
      <comment>The language tag of the page in this language (BCP 47)</comment>
      <translation>en</translation>
    </message>
  </context>
  <context>
    <name>Gas</name>
    <message>
      <source>воздух</source>
      <translation>air</translation>
    </message>
    <message>
      <source>азот</source>
      <translation>nitrogen</translation>
    </message>
    <message>
      <source>кислород</source>
      <translation>oxygen</translation>
    </message>
    <message>
      <source>гелий</source>
      <translation>helium</translation>
    </message>
    <message>
      <source>аргон</source>
      <translation>argon</translation>
    </message>
    <message>
      <source>углекислый газ</source>
      <translation>carbon dioxide</translation>
    </message>
    <message>
      <source>водяной пар</source>
      <translation>steam</translation>
    </message>
    <message>
      <source>метан</source>
      <translation>methane</translation>
    </message>
    <message>
      <source>водород</source>
      <translation>hydrogen</translation>
    </message>
    <message>
      <source>свой газ</source>
      <translation>other gas</translation>
    </message>
  </context>
  <context>
    <name>Legend</name>
    <message>
      <source>стенки тела: вдоль верхней набегает поток, нижнюю поворачивают мышью, пальцем или клавишами</source>
      <translation>the body's walls: the flow comes along the upper one; the lower one is turned with the mouse, a finger or the keys</translation>
    </message>
    <message>
      <source>дуга угла β между стенками, продолжение верхней стенки за углом и дуга угла α</source>
      <translation>the arc of the angle β between the walls, the upper wall continued past the corner, and the arc of the angle α</translation>
    </message>
    <message>
      <source>граница потока: стенка повёрнута дальше наибольшего угла поворота, поток отрывается от неё и идёт вдоль этой линии</source>
      <translation>the flow boundary: the wall is turned past the largest turning angle, the flow leaves it and runs along this line</translation>
    </message>
    <message>
      <source>частицы газа: их движение показывает скорость потока</source>
      <translation>gas particles: their motion shows the flow's speed</translation>
    </message>
    <message>
      <source>линии тока: пути, по которым частицы проходят веер</source>
      <translation>streamlines: the paths on which particles cross the fan</translation>
    </message>
    <message>
      <source>маркер — частица, чей радиус показывает давление: чем ниже давление, тем больше круг</source>
      <translation>the marker, a particle whose radius shows the pressure: the lower the pressure, the larger the disc</translation>
    </message>
    <message>
      <source>точная теория (меню «Точная теория»): её последняя характеристика и её линии тока</source>
      <translation>the exact theory (menu “Exact theory”): its last characteristic and its streamlines</translation>
    </message>
    <message>
      <source>β — угол тела между стенками; при β = 180° стенка прямая</source>
      <translation>β is the body angle between the walls; at β = 180° the wall is straight</translation>
    </message>
    <message>
      <source>α — угол Маха набегающего потока, sin α = 1/M1: между потоком и первой характеристикой</source>
      <translation>α is the Mach angle of the oncoming flow, sin α = 1/M1: between the flow and the first characteristic</translation>
    </message>
    <message>
      <source>χ — угол, на который повернул поток; он не больше наибольшего угла поворота, поэтому за ним β + χ меньше 180°</source>
      <translation>χ is the angle the flow has turned; it is never larger than the largest turning angle, so beyond that β + χ is less than 180°</translation>
    </message>
    <message>
      <source>Δφ — ширина веера: угол между первой и последней характеристиками</source>
      <translation>Δφ is the fan's width: the angle between the first and last characteristics</translation>
    </message>
    <message>
      <source>M1, V1, T1, P1, ρ1, c1 — число Маха, скорость, температура, давление, плотность и скорость звука набегающего потока; V1, T1 и P1 вводятся</source>
      <translation>M1, V1, T1, P1, ρ1, c1: Mach number, speed, temperature, pressure, density and speed of sound of the oncoming flow; V1, T1 and P1 are typed in</translation>
    </message>
    <message>
      <source>V0 — удельный объём, 1/ρ; индекс «кр» — критическое состояние, где скорость равна местной скорости звука</source>
      <translation>V0 is the specific volume, 1/ρ; the index “cr” marks the critical state, where the speed equals the local speed of sound</translation>
    </message>
    <message>
      <source>M, V, T, P, ρ, c — поток в точке, которую указывают мышью, пальцем или клавишами Shift со стрелками</source>
      <translation>M, V, T, P, ρ, c: the flow at the point named with the mouse, a finger or Shift with the arrow keys</translation>
    </message>
    <message>
      <source>дуга угла β между стенками</source>
      <translation>the arc of the angle β between the walls</translation>
    </message>
    <message>
      <source>штриховые линии из угла: почти вертикальная — звуковая линия, направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая характеристика, где начинается веер разрежения; последняя характеристика, где он кончается</source>
      <translation>dashed lines from the corner: the nearly vertical one is the sonic line, the direction in which a centred fan would be sonic (the oncoming flow there is still supersonic); the first characteristic, where the expansion fan begins; the last characteristic, where it ends</translation>
    </message>
    <message>
      <source>штриховые линии из угла: звуковая линия — направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая характеристика, где начинается веер разрежения; последняя характеристика, где он кончается</source>
      <translation>dashed lines from the corner: the sonic line, the direction in which a centred fan would be sonic (the oncoming flow there is still supersonic); the first characteristic, where the expansion fan begins; the last characteristic, where it ends</translation>
    </message>
    <message>
      <source>штриховые линии из угла: первая и последняя линии Маха веера разрежения по точной теории</source>
      <translation>dashed lines from the corner: the first and the last Mach line of the exact theory's expansion fan</translation>
    </message>
    <message>
      <source>косой скачок уплотнения: на нём поток поворачивает вдоль стенки, давление и плотность возрастают</source>
      <translation>the oblique shock: across it the flow turns along the wall, and the pressure and the density rise</translation>
    </message>
    <message>
      <source>предельная линия тока: на ней газ расширился до нулевого давления</source>
      <translation>the limiting streamline: on it the gas has expanded to zero pressure</translation>
    </message>
    <message>
      <source>вакуум: между предельной линией тока и стенкой газа нет</source>
      <translation>vacuum: there is no gas between the limiting streamline and the wall</translation>
    </message>
    <message>
      <source>линии тока: пути частиц газа</source>
      <translation>streamlines: the paths of the gas particles</translation>
    </message>
    <message>
      <source>точная теория (кнопка «Точная теория»): её последняя характеристика и её линии тока</source>
      <translation>the exact theory (button “Exact theory”): its last characteristic and its streamlines</translation>
    </message>
    <message>
      <source>штриховые линии из угла по точной теории: звуковая линия — направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая и последняя линии Маха веера разрежения</source>
      <translation>dashed lines from the corner by the exact theory: the sonic line, the direction in which a centred fan would be sonic (the oncoming flow there is still supersonic); the first and the last Mach line of the expansion fan</translation>
    </message>
    <message>
      <source>область, которую точная теория не вычисляет: скачок уплотнения отошёл от угла, или поток не сверхзвуковой</source>
      <translation>the region the exact theory does not compute: the shock has detached from the corner, or the flow is not supersonic</translation>
    </message>
    <message>
      <source>θ — угол, на который стенка повёрнута навстречу потоку; σ — угол скачка уплотнения к набегающему потоку</source>
      <translation>θ is the angle the wall is turned into the flow; σ the angle of the shock to the oncoming flow</translation>
    </message>
    <message>
      <source>θ — угол, на который стенка повёрнута навстречу потоку; θmax — наибольший угол, на который поток поворачивает присоединённый скачок уплотнения</source>
      <translation>θ is the angle the wall is turned into the flow; θmax the largest angle through which an attached shock turns the flow</translation>
    </message>
  </context>
</TS>
