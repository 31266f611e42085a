<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The program's words in Spanish. The source texts are the program's own (Russian, the
     default); the context Language gives the language's own name and the page's language
     tag, so this file alone adds the language to both shells. -->
<TS version="2.1" language="es" sourcelanguage="ru">
  <context>
    <name>Dialog</name>
    <message>
      <source>Ещё инструменты</source>
      <translation>Más herramientas</translation>
    </message>
    <message>
      <source>Сохранить график…</source>
      <translation>Guardar gráfica…</translation>
    </message>
    <message>
      <source>Сохранить данные…</source>
      <translation>Guardar datos…</translation>
    </message>
    <message>
      <source>Таблицы CSV (*.csv)</source>
      <translation>Tablas CSV (*.csv)</translation>
    </message>
    <message>
      <source>График не сохранён</source>
      <translation>No se guardó la gráfica</translation>
    </message>
    <message>
      <source>Данные не сохранены</source>
      <translation>No se guardaron los datos</translation>
    </message>
    <message>
      <source>Графики</source>
      <translation>Gráfica</translation>
    </message>
    <message>
      <source>Программа загружается…</source>
      <translation>Cargando el programa…</translation>
    </message>
    <message>
      <source>Программу не удалось загрузить: нет файла cornerflow-core.js.</source>
      <translation>No se pudo cargar el programa: falta el archivo cornerflow-core.js.</translation>
    </message>
    <message>
      <source>Программу не удалось запустить: %1</source>
      <translation>No se pudo iniciar el programa: %1</translation>
    </message>
    <message>
      <source>Рисунок не скопирован: браузер не разрешил</source>
      <translation>No se copió la imagen: el navegador no lo permitió</translation>
    </message>
    <message>
      <source>Ссылка скопирована</source>
      <translation>Enlace copiado</translation>
    </message>
    <message>
      <source>Ссылка на это состояние (скопируйте её):</source>
      <translation>Enlace a este estado (cópielo):</translation>
    </message>
    <message>
      <source>В адресе не учтено: %1</source>
      <translation>No se tuvo en cuenta en la dirección: %1</translation>
    </message>
    <message>
      <source>%1: такого параметра нет</source>
      <translation>%1: no existe ese parámetro</translation>
    </message>
    <message>
      <source>%1: «%2» — слишком длинное значение</source>
      <translation>%1: «%2» — valor demasiado largo</translation>
    </message>
    <message>
      <source>%1: «%2» — не число</source>
      <translation>%1: «%2» no es un número</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно %3</source>
      <translation>%1: «%2» — debe ser %3</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно целое число %3</source>
      <translation>%1: «%2» — debe ser un número entero %3</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно одно из: %3</source>
      <translation>%1: «%2» — debe ser uno de: %3</translation>
    </message>
    <message>
      <source>Браузер не разрешил показать страницу во весь экран</source>
      <translation>El navegador no permitió mostrar la página a pantalla completa</translation>
    </message>
    <message>
      <source>Коснитесь рисунка — поля покажут поток в этой точке. Стенку поворачивают, ведя её пальцем.</source>
      <translation>Toque la imagen: los campos muestran el flujo en ese punto. La pared se gira arrastrándola con el dedo.</translation>
    </message>
    <message>
      <source>Копировать ссылку</source>
      <translation>Copiar enlace</translation>
    </message>
    <message>
      <source>Во весь экран</source>
      <translation>Pantalla completa</translation>
    </message>
    <message>
      <source>О программе</source>
      <translation>Acerca de</translation>
    </message>
    <message>
      <source>Обтекание тупого угла</source>
      <translation>Flujo alrededor de una esquina convexa</translation>
    </message>
    <message>
      <source>Пауза</source>
      <translation>Pausa</translation>
    </message>
    <message>
      <source>Шаг</source>
      <translation>Paso</translation>
    </message>
    <message>
      <source>Сбросить</source>
      <translation>Restablecer</translation>
    </message>
    <message>
      <source>Сохранить рисунок…</source>
      <translation>Guardar imagen…</translation>
    </message>
    <message>
      <source>Копировать рисунок</source>
      <translation>Copiar imagen</translation>
    </message>
    <message>
      <source>Точная теория</source>
      <translation>Teoría exacta</translation>
    </message>
    <message>
      <source>Language / Язык</source>
      <translation>Idioma / Language</translation>
    </message>
    <message>
      <source>Изображения PNG (*.png)</source>
      <translation>Imágenes PNG (*.png)</translation>
    </message>
    <message>
      <source>Рисунок не сохранён</source>
      <translation>No se guardó la imagen</translation>
    </message>
    <message>
      <source>Не удалось записать «%1»: %2. Ничего не изменено.</source>
      <translation>No se pudo escribir «%1»: %2. No se ha cambiado nada.</translation>
    </message>
    <message>
      <source>такой папки нет</source>
      <translation>esa carpeta no existe</translation>
    </message>
    <message>
      <source>нет права писать туда</source>
      <translation>no hay permiso para escribir ahí</translation>
    </message>
    <message>
      <source>на диске не хватает места</source>
      <translation>el disco está lleno</translation>
    </message>
    <message>
      <source>файл не удалось записать</source>
      <translation>no se pudo escribir el archivo</translation>
    </message>
    <message>
      <source>Клавиши…</source>
      <translation>Teclas…</translation>
    </message>
    <message>
      <source>Обозначения</source>
      <translation>Leyenda</translation>
    </message>
    <message>
      <source>Пособие для учителя…</source>
      <translation>Guía para el profesor…</translation>
    </message>
    <message>
      <source>Пособие для учителя не найдено: %1</source>
      <translation>No se encontró la guía para el profesor: %1</translation>
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
      <translation>Cerrar</translation>
    </message>
    <message>
      <source>&amp;О программе Cornerflow…</source>
      <translation>&amp;Acerca de Cornerflow…</translation>
    </message>
    <message>
      <source>Течение по точной теории</source>
      <translation>Flujo según la teoría exacta</translation>
    </message>
  </context>
  <context>
    <name>Field</name>
    <message>
      <source>прочитано: %1</source>
      <translation>leído como %1</translation>
    </message>
    <message>
      <source>критическая скорость, м/с</source>
      <translation>velocidad crítica, m/s</translation>
    </message>
    <message>
      <source>критическая температура, К</source>
      <translation>temperatura crítica, K</translation>
    </message>
    <message>
      <source>критическое давление, Па</source>
      <translation>presión crítica, Pa</translation>
    </message>
    <message>
      <source>критическая плотность, кг/м³</source>
      <translation>densidad crítica, kg/m³</translation>
    </message>
    <message>
      <source>критический удельный объём, м³/кг</source>
      <translation>volumen específico crítico, m³/kg</translation>
    </message>
    <message>
      <source>скорость набегающего потока, м/с</source>
      <translation>velocidad del flujo incidente, m/s</translation>
    </message>
    <message>
      <source>температура набегающего потока, К</source>
      <translation>temperatura del flujo incidente, K</translation>
    </message>
    <message>
      <source>давление набегающего потока, Па</source>
      <translation>presión del flujo incidente, Pa</translation>
    </message>
    <message>
      <source>плотность набегающего потока, кг/м³</source>
      <translation>densidad del flujo incidente, kg/m³</translation>
    </message>
    <message>
      <source>скорость звука в набегающем потоке, м/с</source>
      <translation>velocidad del sonido en el flujo incidente, m/s</translation>
    </message>
    <message>
      <source>скорость в точке под указателем, м/с</source>
      <translation>velocidad en el punto bajo el puntero, m/s</translation>
    </message>
    <message>
      <source>температура в точке под указателем, К</source>
      <translation>temperatura en el punto bajo el puntero, K</translation>
    </message>
    <message>
      <source>давление в точке под указателем, Па</source>
      <translation>presión en el punto bajo el puntero, Pa</translation>
    </message>
    <message>
      <source>плотность в точке под указателем, кг/м³</source>
      <translation>densidad en el punto bajo el puntero, kg/m³</translation>
    </message>
    <message>
      <source>число Маха набегающего потока</source>
      <translation>número de Mach del flujo incidente</translation>
    </message>
    <message>
      <source>скорость звука в точке под указателем, м/с</source>
      <translation>velocidad del sonido en el punto bajo el puntero, m/s</translation>
    </message>
    <message>
      <source>число Маха в точке под указателем</source>
      <translation>número de Mach en el punto bajo el puntero</translation>
    </message>
    <message>
      <source>удельный объём набегающего потока, м³/кг</source>
      <translation>volumen específico del flujo incidente, m³/kg</translation>
    </message>
    <message>
      <source>удельный объём в точке под указателем, м³/кг</source>
      <translation>volumen específico en el punto bajo el puntero, m³/kg</translation>
    </message>
    <message>
      <source>окружная составляющая скорости в точке под указателем, м/с</source>
      <translation>componente tangencial de la velocidad en el punto bajo el puntero, m/s</translation>
    </message>
    <message>
      <source>радиальная составляющая скорости в точке под указателем, м/с</source>
      <translation>componente radial de la velocidad en el punto bajo el puntero, m/s</translation>
    </message>
    <message>
      <source>Введите число и покиньте поле: всё пересчитается.</source>
      <translation>Escriba un número y salga del campo: todo se vuelve a calcular.</translation>
    </message>
    <message>
      <source>Вычисляется по V1, T1 и P1.</source>
      <translation>Se calcula a partir de V1, T1 y P1.</translation>
    </message>
    <message>
      <source>Поток в точке под указателем.</source>
      <translation>El flujo en el punto bajo el puntero.</translation>
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
      <translation>γ debe cumplir 1 &lt; γ ≤ 5/3</translation>
    </message>
    <message>
      <source>μ: нужно 1 ≤ μ ≤ 1000 г/моль</source>
      <translation>μ debe estar entre 1 y 1000 g/mol</translation>
    </message>
    <message>
      <source>γ прочитано: %1</source>
      <translation>γ leído como: %1</translation>
    </message>
    <message>
      <source>γ принято равным 5/3</source>
      <translation>γ tomado como 5/3</translation>
    </message>
    <message>
      <source>μ прочитано: %1</source>
      <translation>μ leído como: %1</translation>
    </message>
    <message>
      <source>γ: показатель адиабаты</source>
      <translation>γ: razón de calores específicos</translation>
    </message>
    <message>
      <source>μ: молярная масса, г/моль</source>
      <translation>μ: masa molar, g/mol</translation>
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
      <translation>Rótulos de la imagen: %1.</translation>
    </message>
    <message>
      <source>угол β = %1°, стенка повёрнута на %2°</source>
      <translation>ángulo β = %1°, pared girada %2°</translation>
    </message>
    <message>
      <source>Картина течения</source>
      <translation>Configuración del flujo</translation>
    </message>
    <message>
      <source>Пауза: анимация остановлена</source>
      <translation>Pausa: la animación está detenida</translation>
    </message>
    <message>
      <source>Пробел — пауза, точка — один шаг</source>
      <translation>Espacio: pausa; punto: un paso</translation>
    </message>
    <message>
      <source>%1 — такого состояния газа не бывает; поля показывают то, что программа вычисляет из введённых чисел</source>
      <translation>%1: ningún gas tiene ese estado; los campos muestran lo que el programa calcula a partir de los números escritos</translation>
    </message>
    <message>
      <source>по точной теории поток поворачивает не более чем на ν(∞) − ν(M1) = %1°; стенка повёрнута дальше, и за последней характеристикой — вакуум</source>
      <translation>según la teoría exacta el flujo gira como máximo ν(∞) − ν(M1) = %1°; la pared está girada más, y tras la última característica hay vacío</translation>
    </message>
    <message>
      <source>угол β = %1°, стенка повёрнута навстречу потоку на %2°</source>
      <translation>ángulo β = %1°, pared girada %2° contra el flujo</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; поток прилегает к стенке</source>
      <translation>pared girada %1°, flujo desviado %2°, abanico de %3° de ancho; el flujo sigue adherido a la pared</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — лишь на %2°, наибольший угол поворота модели, веер шириной %3°; поток отрывается от стенки</source>
      <translation>pared girada %1°, flujo desviado solo %2°, el ángulo máximo de giro del modelo, abanico de %3° de ancho; el flujo se desprende de la pared</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, веер шириной %2°; за веером поток модели идёт не вдоль стенки, а под углом %3° к ней</source>
      <translation>pared girada %1°, abanico de %2° de ancho; tras el abanico el flujo del modelo no sigue la pared, sino que forma %3° con ella</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; по модели поток идёт вдоль стенки</source>
      <translation>pared girada %1°, flujo desviado %2°, abanico de %3° de ancho; en el modelo el flujo sigue a lo largo de la pared</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой (M1 &lt; 1): течение за углом не вычисляется, линии показывают только набегающий поток</source>
      <translation>el flujo no es supersónico (M1 &lt; 1): el flujo tras la esquina no se calcula y las líneas muestran solo el flujo incidente</translation>
    </message>
    <message>
      <source>V1 &lt; 0 — поток течёт назад; такого течения программа не описывает</source>
      <translation>V1 &lt; 0 es un flujo que corre hacia atrás; el programa no describe ese flujo</translation>
    </message>
    <message>
      <source>по точной теории поток повернул бы на %1° и шёл бы вдоль стенки</source>
      <translation>según la teoría exacta el flujo giraría %1° y seguiría a lo largo de la pared</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку на %1°: веера разрежения нет, модель программы такого течения не строит; его показывает точная теория — присоединённый косой скачок уплотнения</source>
      <translation>pared girada %1° contra el flujo: no hay abanico de expansión y el modelo del programa no construye este flujo; lo muestra la teoría exacta: una onda de choque oblicua adherida</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку на %1°: веера разрежения нет; по точной теории θ = %1° &gt; θmax = %2°, скачок уплотнения отходит от угла, и течение у угла не вычисляется</source>
      <translation>pared girada %1° contra el flujo: no hay abanico de expansión; según la teoría exacta θ = %1° &gt; θmax = %2°, la onda de choque se desprende de la esquina y el flujo junto a la esquina no se calcula</translation>
    </message>
    <message>
      <source>точная теория: стенка прямая, поток не поворачивает, M = M1 = %1</source>
      <translation>teoría exacta: la pared es recta, el flujo no se desvía, M = M1 = %1</translation>
    </message>
    <message>
      <source>точная теория: стенка и поток повёрнуты на %1°, веер разрежения, за ним M2 = %2, P2/P1 = %3; поток прилегает к стенке</source>
      <translation>teoría exacta: pared y flujo girados %1°, un abanico de expansión, tras él M2 = %2, P2/P1 = %3; el flujo sigue adherido a la pared</translation>
    </message>
    <message>
      <source>точная теория: стенка повёрнута на %1°, а поток — лишь на наибольший угол χmax = ν(∞) − ν(M1) = %2°; веер разрежения расширяет газ до вакуума, и между предельной линией тока и стенкой — вакуум</source>
      <translation>teoría exacta: la pared está girada %1°, pero el flujo solo el ángulo máximo χmax = ν(∞) − ν(M1) = %2°; el abanico de expansión expande el gas hasta el vacío, y entre la línea de corriente límite y la pared hay vacío</translation>
    </message>
    <message>
      <source>точная теория: стенка повёрнута навстречу потоку на θ = %1°; присоединённый косой скачок уплотнения под углом σ = %2° к набегающему потоку, за ним M2 = %3, P2/P1 = %4</source>
      <translation>teoría exacta: la pared está girada θ = %1° contra el flujo; una onda de choque oblicua adherida a σ = %2° del flujo incidente, tras ella M2 = %3, P2/P1 = %4</translation>
    </message>
    <message>
      <source>точная теория: θ = %1° &gt; θmax = %2°: скачок уплотнения отходит от угла; течение у угла не вычисляется</source>
      <translation>teoría exacta: θ = %1° &gt; θmax = %2°: la onda de choque se desprende; el flujo junto a la esquina no se calcula</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой (M1 &lt; 1): точная теория сверхзвукового обтекания неприменима, за углом ничего не вычисляется</source>
      <translation>el flujo no es supersónico (M1 &lt; 1): la teoría exacta del flujo supersónico no se aplica y no se calcula nada tras la esquina</translation>
    </message>
    <message>
      <source>точная теория сверхзвукового обтекания здесь неприменима: за углом ничего не вычисляется</source>
      <translation>la teoría exacta del flujo supersónico no se aplica aquí: no se calcula nada tras la esquina</translation>
    </message>
  </context>
  <context>
    <name>About</name>
    <message>
      <source>О программе Cornerflow</source>
      <translation>Acerca de Cornerflow</translation>
    </message>
    <message>
      <source>Cornerflow, версия %1</source>
      <translation>Cornerflow, versión %1</translation>
    </message>
    <message>
      <source>Веер разрежения сверхзвукового потока у выпуклого угла</source>
      <translation>El abanico de expansión de un flujo supersónico en una esquina convexa</translation>
    </message>
    <message>
      <source>Скомпилирована в WebAssembly и работает в браузере. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.</source>
      <translation>Compilado a WebAssembly; funciona en el navegador. Software libre con licencia MIT: puede usarlo, copiarlo y modificarlo.</translation>
    </message>
    <message>
      <source>© Разработчики Cornerflow</source>
      <translation>© Los desarrolladores de Cornerflow</translation>
    </message>
    <message>
      <source>Клавиши на рисунке</source>
      <translation>Teclas sobre la imagen</translation>
    </message>
    <message>
      <source>Программа построения визуальной модели процесса обтекания тупого угла сверхзвуковым потоком</source>
      <translation>Un modelo visual del flujo supersónico alrededor de una esquina convexa</translation>
    </message>
    <message>
      <source>Пособие для учителя: что показать на уроке</source>
      <translation>Guía para el profesor: qué mostrar en clase</translation>
    </message>
    <message>
      <source>Построена на инструментарии Qt 6. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.</source>
      <translation>Hecho con Qt 6. Software libre con licencia MIT: puede usarlo, copiarlo y modificarlo.</translation>
    </message>
    <message>
      <source>По умолчанию рисунок следует модели программы, а если выбрано «Течение по точной теории» — точной теории невязкого газа.</source>
      <translation>Por defecto la imagen sigue el modelo del programa y, si se elige «Flujo según la teoría exacta», la teoría exacta del gas no viscoso.</translation>
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
      <translation>girar la pared 1°</translation>
    </message>
    <message>
      <source>PgDn PgUp</source>
      <translation>AvPág RePág</translation>
    </message>
    <message>
      <source>повернуть стенку на 10°</source>
      <translation>girar la pared 10°</translation>
    </message>
    <message>
      <source>Home End</source>
      <translation>Inicio Fin</translation>
    </message>
    <message>
      <source>стенка до края, куда её доводит мышь</source>
      <translation>la pared hasta el tope que alcanza el ratón</translation>
    </message>
    <message>
      <source>Пробел</source>
      <translation>Espacio</translation>
    </message>
    <message>
      <source>остановить или продолжить анимацию</source>
      <translation>detener o reanudar la animación</translation>
    </message>
    <message>
      <source>.</source>
      <translation>.</translation>
    </message>
    <message>
      <source>один шаг анимации</source>
      <translation>un paso de la animación</translation>
    </message>
    <message>
      <source>F</source>
      <translation>F</translation>
    </message>
    <message>
      <source>во весь экран (на странице)</source>
      <translation>pantalla completa (en la página)</translation>
    </message>
    <message>
      <source>Tab</source>
      <translation>Tab</translation>
    </message>
    <message>
      <source>к следующему полю</source>
      <translation>al campo siguiente</translation>
    </message>
    <message>
      <source>Клавиши</source>
      <translation>Teclas</translation>
    </message>
    <message>
      <source>Когда рисунок в фокусе (синяя полоса над ним):</source>
      <translation>Cuando la imagen tiene el foco (barra azul encima):</translation>
    </message>
    <message>
      <source>Shift + ← → ↓ ↑</source>
      <translation>Mayús + ← → ↓ ↑</translation>
    </message>
    <message>
      <source>передвинуть точку, где поля показывают поток</source>
      <translation>mover el punto donde los campos muestran el flujo</translation>
    </message>
    <message>
      <source>E</source>
      <translation>E</translation>
    </message>
    <message>
      <source>течение по точной теории или снова по модели программы</source>
      <translation>flujo según la teoría exacta, o de nuevo según el modelo del programa</translation>
    </message>
  </context>
  <context>
    <name>Plot</name>
    <message>
      <source>Поток в веере: модель и точная теория</source>
      <translation>El flujo en el abanico: modelo y teoría exacta</translation>
    </message>
    <message>
      <source>φ, °: направление от угла (0 — по набегающему потоку)</source>
      <translation>φ, °: dirección desde la esquina (0 en el sentido del flujo incidente)</translation>
    </message>
    <message>
      <source>отношение к набегающему потоку</source>
      <translation>razón respecto al flujo incidente</translation>
    </message>
    <message>
      <source>модель</source>
      <translation>modelo</translation>
    </message>
    <message>
      <source>точная теория</source>
      <translation>teoría exacta</translation>
    </message>
    <message>
      <source>начало веера</source>
      <translation>inicio del abanico</translation>
    </message>
    <message>
      <source>конец: модель</source>
      <translation>fin: modelo</translation>
    </message>
    <message>
      <source>конец: теория</source>
      <translation>fin: teoría</translation>
    </message>
    <message>
      <source>φ = %1°</source>
      <translation>φ = %1°</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой, веера нет</source>
      <translation>el flujo no es supersónico, no hay abanico</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку: это сжатие, веера нет</source>
      <translation>la pared gira contra el flujo: es una compresión, no hay abanico</translation>
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
      <translation>Gráfica del estado en el abanico</translation>
    </message>
    <message>
      <source>Давление падает от %1 до %2 Па в веере модели; по точной теории — до %3 Па</source>
      <translation>La presión baja de %1 a %2 Pa en el abanico del modelo; según la teoría exacta, hasta %3 Pa</translation>
    </message>
    <message>
      <source>Поток не сверхзвуковой: такое течение программа не рассчитывает; давление набегающего потока %1 Па</source>
      <translation>El flujo no es supersónico: el programa no calcula un flujo así; la presión del flujo incidente es %1 Pa</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку: это сжатие, его модель не рассчитывает; давление набегающего потока %1 Па</source>
      <translation>La pared gira contra el flujo: es una compresión, que el modelo no calcula; la presión del flujo incidente es %1 Pa</translation>
    </message>
    <message>
      <source>поворот потока →</source>
      <translation>giro del flujo →</translation>
    </message>
    <message>
      <source>вакуум</source>
      <translation>vacío</translation>
    </message>
    <message>
      <source>точная теория: дальше вакуум →</source>
      <translation>teoría exacta: después, vacío →</translation>
    </message>
    <message>
      <source>стенка не повёрнута: поток не поворачивает, веера нет</source>
      <translation>pared sin girar: el flujo no gira, no hay abanico</translation>
    </message>
    <message>
      <source>Давление падает от %1 до %2 Па в веере модели; по точной теории поток расширяется до вакуума</source>
      <translation>La presión baja de %1 a %2 Pa en el abanico del modelo; según la teoría exacta, el flujo se expande hasta el vacío</translation>
    </message>
    <message>
      <source>Стенка не повёрнута, поток не поворачивает, веера нет: давление везде %1 Па</source>
      <translation>La pared no está girada, el flujo no gira, no hay abanico: la presión es %1 Pa en todas partes</translation>
    </message>
    <message>
      <source>Сплошные линии — упрощённая модель рисунка: состояние в её веере меняется по собственному профилю, а не по теории Прандтля — Майера, и край веера берётся интерполяцией по углу поворота; поэтому её числа расходятся с точной теорией (пунктир) во всём веере и за ним.</source>
      <translation>Las líneas continuas son el modelo simplificado del dibujo: el estado en su abanico sigue un perfil propio en lugar de la teoría de Prandtl-Meyer, y el borde final del abanico se interpola según el ángulo de giro; por eso sus valores difieren de la teoría exacta (a trazos) en todo el abanico y tras él.</translation>
    </message>
    <message>
      <source>Подробнее о модели</source>
      <translation>Más sobre el modelo</translation>
    </message>
    <message>
      <source>косой скачок</source>
      <translation>onda de choque oblicua</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, течение у угла не вычисляется</source>
      <translation>la pared está girada hacia el flujo más que la desviación máxima: la onda de choque se desprende y el flujo junto a la esquina no se calcula</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку: по точной теории на косом скачке под углом %3° давление растёт от %1 до %2 Па</source>
      <translation>La pared está girada hacia el flujo: según la teoría exacta, la presión sube de %1 a %2 Pa en la onda de choque oblicua a %3°</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, течение у угла не вычисляется; давление набегающего потока %1 Па</source>
      <translation>La pared está girada hacia el flujo más que la desviación máxima: la onda de choque se desprende y el flujo junto a la esquina no se calcula; presión del flujo incidente %1 Pa</translation>
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
      <translation>Español</translation>
    </message>
    <message>
      <source>ru</source>
      <comment>The language tag of the page in this language (BCP 47)</comment>
      <translation>es</translation>
    </message>
  </context>
  <context>
    <name>Gas</name>
    <message>
      <source>воздух</source>
      <translation>aire</translation>
    </message>
    <message>
      <source>азот</source>
      <translation>nitrógeno</translation>
    </message>
    <message>
      <source>кислород</source>
      <translation>oxígeno</translation>
    </message>
    <message>
      <source>гелий</source>
      <translation>helio</translation>
    </message>
    <message>
      <source>аргон</source>
      <translation>argón</translation>
    </message>
    <message>
      <source>углекислый газ</source>
      <translation>dióxido de carbono</translation>
    </message>
    <message>
      <source>водяной пар</source>
      <translation>vapor de agua</translation>
    </message>
    <message>
      <source>метан</source>
      <translation>metano</translation>
    </message>
    <message>
      <source>водород</source>
      <translation>hidrógeno</translation>
    </message>
    <message>
      <source>свой газ</source>
      <translation>otro gas</translation>
    </message>
  </context>
  <context>
    <name>Legend</name>
    <message>
      <source>стенки тела: вдоль верхней набегает поток, нижнюю поворачивают мышью, пальцем или клавишами</source>
      <translation>las paredes del cuerpo: el flujo llega a lo largo de la superior; la inferior se gira con el ratón, un dedo o las teclas</translation>
    </message>
    <message>
      <source>дуга угла β между стенками, продолжение верхней стенки за углом и дуга угла α</source>
      <translation>el arco del ángulo β entre las paredes, la prolongación de la pared superior tras la esquina y el arco del ángulo α</translation>
    </message>
    <message>
      <source>граница потока: стенка повёрнута дальше наибольшего угла поворота, поток отрывается от неё и идёт вдоль этой линии</source>
      <translation>el límite del flujo: la pared está girada más allá del ángulo máximo de giro, el flujo se desprende de ella y sigue esta línea</translation>
    </message>
    <message>
      <source>частицы газа: их движение показывает скорость потока</source>
      <translation>partículas de gas: su movimiento muestra la velocidad del flujo</translation>
    </message>
    <message>
      <source>линии тока: пути, по которым частицы проходят веер</source>
      <translation>líneas de corriente: los caminos por los que las partículas cruzan el abanico</translation>
    </message>
    <message>
      <source>маркер — частица, чей радиус показывает давление: чем ниже давление, тем больше круг</source>
      <translation>el marcador, una partícula cuyo radio muestra la presión: cuanto menor la presión, mayor el círculo</translation>
    </message>
    <message>
      <source>точная теория (меню «Точная теория»): её последняя характеристика и её линии тока</source>
      <translation>la teoría exacta (menú «Teoría exacta»): su última característica y sus líneas de corriente</translation>
    </message>
    <message>
      <source>β — угол тела между стенками; при β = 180° стенка прямая</source>
      <translation>β es el ángulo del cuerpo entre las paredes; con β = 180° la pared es recta</translation>
    </message>
    <message>
      <source>α — угол Маха набегающего потока, sin α = 1/M1: между потоком и первой характеристикой</source>
      <translation>α es el ángulo de Mach del flujo incidente, sin α = 1/M1: entre el flujo y la primera característica</translation>
    </message>
    <message>
      <source>χ — угол, на который повернул поток; он не больше наибольшего угла поворота, поэтому за ним β + χ меньше 180°</source>
      <translation>χ es el ángulo que ha girado el flujo; nunca supera el ángulo máximo de giro, por eso más allá β + χ es menor que 180°</translation>
    </message>
    <message>
      <source>Δφ — ширина веера: угол между первой и последней характеристиками</source>
      <translation>Δφ es la anchura del abanico: el ángulo entre la primera y la última característica</translation>
    </message>
    <message>
      <source>M1, V1, T1, P1, ρ1, c1 — число Маха, скорость, температура, давление, плотность и скорость звука набегающего потока; V1, T1 и P1 вводятся</source>
      <translation>M1, V1, T1, P1, ρ1, c1: número de Mach, velocidad, temperatura, presión, densidad y velocidad del sonido del flujo incidente; V1, T1 y P1 se escriben</translation>
    </message>
    <message>
      <source>V0 — удельный объём, 1/ρ; индекс «кр» — критическое состояние, где скорость равна местной скорости звука</source>
      <translation>V0 es el volumen específico, 1/ρ; el índice «cr» señala el estado crítico, donde la velocidad es igual a la velocidad local del sonido</translation>
    </message>
    <message>
      <source>M, V, T, P, ρ, c — поток в точке, которую указывают мышью, пальцем или клавишами Shift со стрелками</source>
      <translation>M, V, T, P, ρ, c: el flujo en el punto señalado con el ratón, un dedo o Mayús con las flechas</translation>
    </message>
    <message>
      <source>дуга угла β между стенками</source>
      <translation>el arco del ángulo β entre las paredes</translation>
    </message>
    <message>
      <source>штриховые линии из угла: почти вертикальная — звуковая линия, направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая характеристика, где начинается веер разрежения; последняя характеристика, где он кончается</source>
      <translation>líneas discontinuas desde la esquina: la casi vertical es la línea sónica, la dirección en la que un abanico centrado sería sónico (el flujo incidente allí aún es supersónico); la primera característica, donde empieza el abanico de expansión; la última característica, donde termina</translation>
    </message>
    <message>
      <source>штриховые линии из угла: звуковая линия — направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая характеристика, где начинается веер разрежения; последняя характеристика, где он кончается</source>
      <translation>líneas discontinuas desde la esquina: la línea sónica, la dirección en la que un abanico centrado sería sónico (el flujo incidente allí aún es supersónico); la primera característica, donde empieza el abanico de expansión; la última característica, donde termina</translation>
    </message>
    <message>
      <source>штриховые линии из угла: первая и последняя линии Маха веера разрежения по точной теории</source>
      <translation>líneas discontinuas desde la esquina: la primera y la última línea de Mach del abanico de expansión según la teoría exacta</translation>
    </message>
    <message>
      <source>косой скачок уплотнения: на нём поток поворачивает вдоль стенки, давление и плотность возрастают</source>
      <translation>la onda de choque oblicua: a través de ella el flujo gira a lo largo de la pared y aumentan la presión y la densidad</translation>
    </message>
    <message>
      <source>предельная линия тока: на ней газ расширился до нулевого давления</source>
      <translation>la línea de corriente límite: en ella el gas se ha expandido hasta presión nula</translation>
    </message>
    <message>
      <source>вакуум: между предельной линией тока и стенкой газа нет</source>
      <translation>vacío: entre la línea de corriente límite y la pared no hay gas</translation>
    </message>
    <message>
      <source>линии тока: пути частиц газа</source>
      <translation>líneas de corriente: los caminos de las partículas de gas</translation>
    </message>
    <message>
      <source>точная теория (кнопка «Точная теория»): её последняя характеристика и её линии тока</source>
      <translation>la teoría exacta (botón «Teoría exacta»): su última característica y sus líneas de corriente</translation>
    </message>
    <message>
      <source>штриховые линии из угла по точной теории: звуковая линия — направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая и последняя линии Маха веера разрежения</source>
      <translation>líneas discontinuas desde la esquina según la teoría exacta: la línea sónica, la dirección en la que un abanico centrado sería sónico (el flujo incidente allí aún es supersónico); la primera y la última línea de Mach del abanico de expansión</translation>
    </message>
    <message>
      <source>область, которую точная теория не вычисляет: скачок уплотнения отошёл от угла, или поток не сверхзвуковой</source>
      <translation>la región que la teoría exacta no calcula: la onda de choque se ha separado de la esquina, o el flujo no es supersónico</translation>
    </message>
    <message>
      <source>θ — угол, на который стенка повёрнута навстречу потоку; σ — угол скачка уплотнения к набегающему потоку</source>
      <translation>θ es el ángulo que la pared está girada contra el flujo; σ, el ángulo de la onda de choque respecto al flujo incidente</translation>
    </message>
    <message>
      <source>θ — угол, на который стенка повёрнута навстречу потоку; θmax — наибольший угол, на который поток поворачивает присоединённый скачок уплотнения</source>
      <translation>θ es el ángulo que la pared está girada contra el flujo; θmax, el mayor ángulo que una onda de choque adherida puede desviar el flujo</translation>
    </message>
  </context>
</TS>
