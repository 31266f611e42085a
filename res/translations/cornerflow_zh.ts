<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The program's words in Simplified Chinese. The source texts are the program's own (Russian, the
     default); the context Language gives the language's own name and the page's language
     tag, so this file alone adds the language to both shells. -->
<TS version="2.1" language="zh_CN" sourcelanguage="ru">
  <context>
    <name>Dialog</name>
    <message>
      <source>Ещё инструменты</source>
      <translation>更多工具</translation>
    </message>
    <message>
      <source>Сохранить график…</source>
      <translation>保存曲线图…</translation>
    </message>
    <message>
      <source>Сохранить данные…</source>
      <translation>保存数据…</translation>
    </message>
    <message>
      <source>Таблицы CSV (*.csv)</source>
      <translation>CSV 表格 (*.csv)</translation>
    </message>
    <message>
      <source>График не сохранён</source>
      <translation>曲线图未保存</translation>
    </message>
    <message>
      <source>Данные не сохранены</source>
      <translation>数据未保存</translation>
    </message>
    <message>
      <source>Графики</source>
      <translation>曲线图</translation>
    </message>
    <message>
      <source>Программа загружается…</source>
      <translation>程序正在加载…</translation>
    </message>
    <message>
      <source>Программу не удалось загрузить: нет файла cornerflow-core.js.</source>
      <translation>无法加载程序：缺少文件 cornerflow-core.js。</translation>
    </message>
    <message>
      <source>Программу не удалось запустить: %1</source>
      <translation>无法启动程序：%1</translation>
    </message>
    <message>
      <source>Рисунок не скопирован: браузер не разрешил</source>
      <translation>图像未复制：浏览器不允许</translation>
    </message>
    <message>
      <source>Ссылка скопирована</source>
      <translation>链接已复制</translation>
    </message>
    <message>
      <source>Ссылка на это состояние (скопируйте её):</source>
      <translation>指向此状态的链接（请复制）：</translation>
    </message>
    <message>
      <source>В адресе не учтено: %1</source>
      <translation>地址中未采用：%1</translation>
    </message>
    <message>
      <source>%1: такого параметра нет</source>
      <translation>%1：没有这个参数</translation>
    </message>
    <message>
      <source>%1: «%2» — слишком длинное значение</source>
      <translation>%1：“%2”——值太长</translation>
    </message>
    <message>
      <source>%1: «%2» — не число</source>
      <translation>%1：“%2”不是数字</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно %3</source>
      <translation>%1：“%2”——须满足 %3</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно целое число %3</source>
      <translation>%1：“%2”——须为整数 %3</translation>
    </message>
    <message>
      <source>%1: «%2» — нужно одно из: %3</source>
      <translation>%1：“%2”——须为以下之一：%3</translation>
    </message>
    <message>
      <source>Браузер не разрешил показать страницу во весь экран</source>
      <translation>浏览器不允许页面全屏显示</translation>
    </message>
    <message>
      <source>Коснитесь рисунка — поля покажут поток в этой точке. Стенку поворачивают, ведя её пальцем.</source>
      <translation>轻触图像，各栏即显示该点的流动参数。用手指拖动壁面即可使其转动。</translation>
    </message>
    <message>
      <source>Копировать ссылку</source>
      <translation>复制链接</translation>
    </message>
    <message>
      <source>Во весь экран</source>
      <translation>全屏</translation>
    </message>
    <message>
      <source>О программе</source>
      <translation>关于</translation>
    </message>
    <message>
      <source>Обтекание тупого угла</source>
      <translation>超声速气流绕外凸角的流动</translation>
    </message>
    <message>
      <source>Пауза</source>
      <translation>暂停</translation>
    </message>
    <message>
      <source>Шаг</source>
      <translation>单步</translation>
    </message>
    <message>
      <source>Сбросить</source>
      <translation>重置</translation>
    </message>
    <message>
      <source>Сохранить рисунок…</source>
      <translation>保存图像…</translation>
    </message>
    <message>
      <source>Копировать рисунок</source>
      <translation>复制图像</translation>
    </message>
    <message>
      <source>Точная теория</source>
      <translation>精确理论</translation>
    </message>
    <message>
      <source>Language / Язык</source>
      <translation>语言 / Language</translation>
    </message>
    <message>
      <source>Изображения PNG (*.png)</source>
      <translation>PNG 图像 (*.png)</translation>
    </message>
    <message>
      <source>Рисунок не сохранён</source>
      <translation>图像未保存</translation>
    </message>
    <message>
      <source>Не удалось записать «%1»: %2. Ничего не изменено.</source>
      <translation>无法写入“%1”：%2。未做任何更改。</translation>
    </message>
    <message>
      <source>такой папки нет</source>
      <translation>该文件夹不存在</translation>
    </message>
    <message>
      <source>нет права писать туда</source>
      <translation>没有在该处写入的权限</translation>
    </message>
    <message>
      <source>на диске не хватает места</source>
      <translation>磁盘空间不足</translation>
    </message>
    <message>
      <source>файл не удалось записать</source>
      <translation>文件无法写入</translation>
    </message>
    <message>
      <source>Клавиши…</source>
      <translation>按键…</translation>
    </message>
    <message>
      <source>Обозначения</source>
      <translation>图例</translation>
    </message>
    <message>
      <source>Пособие для учителя…</source>
      <translation>教师指南…</translation>
    </message>
    <message>
      <source>Пособие для учителя не найдено: %1</source>
      <translation>未找到教师指南：%1</translation>
    </message>
    <message>
      <source>газ</source>
      <translation>气体</translation>
    </message>
    <message>
      <source>г/моль</source>
      <translation>g/mol</translation>
    </message>
    <message>
      <source>Закрыть</source>
      <translation>关闭</translation>
    </message>
    <message>
      <source>&amp;О программе Cornerflow…</source>
      <translation>关于 Cornerflow…</translation>
    </message>
    <message>
      <source>Течение по точной теории</source>
      <translation>按精确理论的流动</translation>
    </message>
  </context>
  <context>
    <name>Field</name>
    <message>
      <source>прочитано: %1</source>
      <translation>读取为 %1</translation>
    </message>
    <message>
      <source>критическая скорость, м/с</source>
      <translation>临界速度，m/s</translation>
    </message>
    <message>
      <source>критическая температура, К</source>
      <translation>临界温度，K</translation>
    </message>
    <message>
      <source>критическое давление, Па</source>
      <translation>临界压强，Pa</translation>
    </message>
    <message>
      <source>критическая плотность, кг/м³</source>
      <translation>临界密度，kg/m³</translation>
    </message>
    <message>
      <source>критический удельный объём, м³/кг</source>
      <translation>临界比体积，m³/kg</translation>
    </message>
    <message>
      <source>скорость набегающего потока, м/с</source>
      <translation>来流速度，m/s</translation>
    </message>
    <message>
      <source>температура набегающего потока, К</source>
      <translation>来流温度，K</translation>
    </message>
    <message>
      <source>давление набегающего потока, Па</source>
      <translation>来流压强，Pa</translation>
    </message>
    <message>
      <source>плотность набегающего потока, кг/м³</source>
      <translation>来流密度，kg/m³</translation>
    </message>
    <message>
      <source>скорость звука в набегающем потоке, м/с</source>
      <translation>来流声速，m/s</translation>
    </message>
    <message>
      <source>скорость в точке под указателем, м/с</source>
      <translation>指针所指点的速度，m/s</translation>
    </message>
    <message>
      <source>температура в точке под указателем, К</source>
      <translation>指针所指点的温度，K</translation>
    </message>
    <message>
      <source>давление в точке под указателем, Па</source>
      <translation>指针所指点的压强，Pa</translation>
    </message>
    <message>
      <source>плотность в точке под указателем, кг/м³</source>
      <translation>指针所指点的密度，kg/m³</translation>
    </message>
    <message>
      <source>число Маха набегающего потока</source>
      <translation>来流马赫数</translation>
    </message>
    <message>
      <source>скорость звука в точке под указателем, м/с</source>
      <translation>指针所指点的声速，m/s</translation>
    </message>
    <message>
      <source>число Маха в точке под указателем</source>
      <translation>指针所指点的马赫数</translation>
    </message>
    <message>
      <source>удельный объём набегающего потока, м³/кг</source>
      <translation>来流比体积，m³/kg</translation>
    </message>
    <message>
      <source>удельный объём в точке под указателем, м³/кг</source>
      <translation>指针所指点的比体积，m³/kg</translation>
    </message>
    <message>
      <source>окружная составляющая скорости в точке под указателем, м/с</source>
      <translation>指针所指点的周向速度分量，m/s</translation>
    </message>
    <message>
      <source>радиальная составляющая скорости в точке под указателем, м/с</source>
      <translation>指针所指点的径向速度分量，m/s</translation>
    </message>
    <message>
      <source>Введите число и покиньте поле: всё пересчитается.</source>
      <translation>输入数值后离开该栏，所有参数即重新计算。</translation>
    </message>
    <message>
      <source>Вычисляется по V1, T1 и P1.</source>
      <translation>由 V1、T1 和 P1 算出。</translation>
    </message>
    <message>
      <source>Поток в точке под указателем.</source>
      <translation>指针所指点的流动。</translation>
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
      <translation>γ 须满足 1 &lt; γ ≤ 5/3</translation>
    </message>
    <message>
      <source>μ: нужно 1 ≤ μ ≤ 1000 г/моль</source>
      <translation>μ 须在 1 到 1000 g/mol 之间</translation>
    </message>
    <message>
      <source>γ прочитано: %1</source>
      <translation>γ 读作：%1</translation>
    </message>
    <message>
      <source>γ принято равным 5/3</source>
      <translation>γ 取为 5/3</translation>
    </message>
    <message>
      <source>μ прочитано: %1</source>
      <translation>μ 读作：%1</translation>
    </message>
    <message>
      <source>γ: показатель адиабаты</source>
      <translation>γ：比热比</translation>
    </message>
    <message>
      <source>μ: молярная масса, г/моль</source>
      <translation>μ：摩尔质量，g/mol</translation>
    </message>
  </context>
  <context>
    <name>Picture</name>
    <message>
      <source>.</source>
      <translation>。</translation>
    </message>
    <message>
      <source>Надписи на рисунке: %1.</source>
      <translation>图中标注：%1。</translation>
    </message>
    <message>
      <source>угол β = %1°, стенка повёрнута на %2°</source>
      <translation>角 β = %1°，壁面转过 %2°</translation>
    </message>
    <message>
      <source>Картина течения</source>
      <translation>流动图像</translation>
    </message>
    <message>
      <source>Пауза: анимация остановлена</source>
      <translation>暂停：动画已停止。</translation>
    </message>
    <message>
      <source>Пробел — пауза, точка — один шаг</source>
      <translation>空格键暂停，句点键单步。</translation>
    </message>
    <message>
      <source>%1 — такого состояния газа не бывает; поля показывают то, что программа вычисляет из введённых чисел</source>
      <translation>%1：气体不存在这样的状态；各栏显示的是程序由输入的数字算出的值。</translation>
    </message>
    <message>
      <source>по точной теории поток поворачивает не более чем на ν(∞) − ν(M1) = %1°; стенка повёрнута дальше, и за последней характеристикой — вакуум</source>
      <translation>按精确理论，气流最多只能偏转 ν(∞) − ν(M1) = %1°；壁面转得更多，最后一条特征线之后是真空。</translation>
    </message>
    <message>
      <source>угол β = %1°, стенка повёрнута навстречу потоку на %2°</source>
      <translation>角 β = %1°，壁面朝来流方向转过 %2°</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; поток прилегает к стенке</source>
      <translation>壁面转过 %1°，气流偏转 %2°，膨胀扇张角 %3°；气流贴附壁面。</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — лишь на %2°, наибольший угол поворота модели, веер шириной %3°; поток отрывается от стенки</source>
      <translation>壁面转过 %1°，气流只偏转 %2°，即模型的最大偏转角，膨胀扇张角 %3°；气流从壁面分离。</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, веер шириной %2°; за веером поток модели идёт не вдоль стенки, а под углом %3° к ней</source>
      <translation>壁面转过 %1°，膨胀扇张角 %2°；膨胀扇之后，模型中的气流不沿壁面流动，而与壁面成 %3° 角。</translation>
    </message>
    <message>
      <source>стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; по модели поток идёт вдоль стенки</source>
      <translation>壁面转过 %1°，气流偏转 %2°，膨胀扇张角 %3°；在模型中气流沿壁面流动。</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой (M1 &lt; 1): течение за углом не вычисляется, линии показывают только набегающий поток</source>
      <translation>气流不是超声速的（M1 &lt; 1）：不计算拐角之后的流动，图中的线只表示来流。</translation>
    </message>
    <message>
      <source>V1 &lt; 0 — поток течёт назад; такого течения программа не описывает</source>
      <translation>V1 &lt; 0 表示气流倒流；本程序不描述这种流动。</translation>
    </message>
    <message>
      <source>по точной теории поток повернул бы на %1° и шёл бы вдоль стенки</source>
      <translation>按精确理论，气流将偏转 %1° 并沿壁面流动。</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку на %1°: веера разрежения нет, модель программы такого течения не строит; его показывает точная теория — присоединённый косой скачок уплотнения</source>
      <translation>壁面朝来流方向转过 %1°：没有膨胀扇，本程序的模型不构造这种流动；精确理论可以显示它：一道附体斜激波。</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку на %1°: веера разрежения нет; по точной теории θ = %1° &gt; θmax = %2°, скачок уплотнения отходит от угла, и течение у угла не вычисляется</source>
      <translation>壁面朝来流方向转过 %1°：没有膨胀扇；按精确理论 θ = %1° &gt; θmax = %2°，激波离开拐角成为脱体激波，拐角处的流动不予计算。</translation>
    </message>
    <message>
      <source>точная теория: стенка прямая, поток не поворачивает, M = M1 = %1</source>
      <translation>精确理论：壁面是直的，气流不偏转，M = M1 = %1。</translation>
    </message>
    <message>
      <source>точная теория: стенка и поток повёрнуты на %1°, веер разрежения, за ним M2 = %2, P2/P1 = %3; поток прилегает к стенке</source>
      <translation>精确理论：壁面和气流都转过 %1°，经过膨胀扇，其后 M2 = %2，P2/P1 = %3；气流贴附壁面。</translation>
    </message>
    <message>
      <source>точная теория: стенка повёрнута на %1°, а поток — лишь на наибольший угол χmax = ν(∞) − ν(M1) = %2°; веер разрежения расширяет газ до вакуума, и между предельной линией тока и стенкой — вакуум</source>
      <translation>精确理论：壁面转过 %1°，而气流只偏转最大偏转角 χmax = ν(∞) − ν(M1) = %2°；膨胀扇使气体膨胀到真空，极限流线与壁面之间是真空。</translation>
    </message>
    <message>
      <source>точная теория: стенка повёрнута навстречу потоку на θ = %1°; присоединённый косой скачок уплотнения под углом σ = %2° к набегающему потоку, за ним M2 = %3, P2/P1 = %4</source>
      <translation>精确理论：壁面朝来流方向转过 θ = %1°；附体斜激波与来流成 σ = %2°，波后 M2 = %3，P2/P1 = %4。</translation>
    </message>
    <message>
      <source>точная теория: θ = %1° &gt; θmax = %2°: скачок уплотнения отходит от угла; течение у угла не вычисляется</source>
      <translation>精确理论：θ = %1° &gt; θmax = %2°：形成脱体激波；拐角处的流动不予计算。</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой (M1 &lt; 1): точная теория сверхзвукового обтекания неприменима, за углом ничего не вычисляется</source>
      <translation>气流不是超声速的（M1 &lt; 1）：超声速绕流的精确理论不适用，拐角之后不作任何计算。</translation>
    </message>
    <message>
      <source>точная теория сверхзвукового обтекания здесь неприменима: за углом ничего не вычисляется</source>
      <translation>超声速绕流的精确理论在此不适用：拐角之后不作任何计算。</translation>
    </message>
  </context>
  <context>
    <name>About</name>
    <message>
      <source>О программе Cornerflow</source>
      <translation>关于 Cornerflow</translation>
    </message>
    <message>
      <source>Cornerflow, версия %1</source>
      <translation>Cornerflow，版本 %1</translation>
    </message>
    <message>
      <source>Веер разрежения сверхзвукового потока у выпуклого угла</source>
      <translation>超声速气流绕外凸角的膨胀扇</translation>
    </message>
    <message>
      <source>Скомпилирована в WebAssembly и работает в браузере. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.</source>
      <translation>已编译为 WebAssembly，在浏览器中运行。MIT 许可证下的自由软件：可以自由使用、复制和修改。</translation>
    </message>
    <message>
      <source>© Разработчики Cornerflow</source>
      <translation>© Cornerflow 开发者</translation>
    </message>
    <message>
      <source>Клавиши на рисунке</source>
      <translation>图像上的按键</translation>
    </message>
    <message>
      <source>Программа построения визуальной модели процесса обтекания тупого угла сверхзвуковым потоком</source>
      <translation>超声速气流绕外凸角流动的可视化模型</translation>
    </message>
    <message>
      <source>Пособие для учителя: что показать на уроке</source>
      <translation>教师指南：课堂上可以演示什么</translation>
    </message>
    <message>
      <source>Построена на инструментарии Qt 6. Свободная программа под лицензией MIT: её можно использовать, копировать и изменять.</source>
      <translation>基于 Qt 6 构建。MIT 许可证下的自由软件：可自由使用、复制和修改。</translation>
    </message>
    <message>
      <source>По умолчанию рисунок следует модели программы, а если выбрано «Течение по точной теории» — точной теории невязкого газа.</source>
      <translation>图像默认按本程序的模型绘制；选择“按精确理论的流动”后按无黏气体的精确理论绘制。</translation>
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
      <translation>壁面转动 1°</translation>
    </message>
    <message>
      <source>PgDn PgUp</source>
      <translation>PgDn PgUp</translation>
    </message>
    <message>
      <source>повернуть стенку на 10°</source>
      <translation>壁面转动 10°</translation>
    </message>
    <message>
      <source>Home End</source>
      <translation>Home End</translation>
    </message>
    <message>
      <source>стенка до края, куда её доводит мышь</source>
      <translation>壁面转到鼠标拖动所能到达的极限</translation>
    </message>
    <message>
      <source>Пробел</source>
      <translation>空格</translation>
    </message>
    <message>
      <source>остановить или продолжить анимацию</source>
      <translation>暂停或继续动画</translation>
    </message>
    <message>
      <source>.</source>
      <translation>.</translation>
    </message>
    <message>
      <source>один шаг анимации</source>
      <translation>动画前进一步</translation>
    </message>
    <message>
      <source>F</source>
      <translation>F</translation>
    </message>
    <message>
      <source>во весь экран (на странице)</source>
      <translation>全屏（网页中）</translation>
    </message>
    <message>
      <source>Tab</source>
      <translation>Tab</translation>
    </message>
    <message>
      <source>к следующему полю</source>
      <translation>转到下一栏</translation>
    </message>
    <message>
      <source>Клавиши</source>
      <translation>按键</translation>
    </message>
    <message>
      <source>Когда рисунок в фокусе (синяя полоса над ним):</source>
      <translation>图像获得焦点时（其上方有蓝色条）：</translation>
    </message>
    <message>
      <source>Shift + ← → ↓ ↑</source>
      <translation>Shift + ← → ↓ ↑</translation>
    </message>
    <message>
      <source>передвинуть точку, где поля показывают поток</source>
      <translation>移动各栏显示气流的那个点</translation>
    </message>
    <message>
      <source>E</source>
      <translation>E</translation>
    </message>
    <message>
      <source>течение по точной теории или снова по модели программы</source>
      <translation>按精确理论的流动，或回到本程序的模型</translation>
    </message>
  </context>
  <context>
    <name>Plot</name>
    <message>
      <source>Поток в веере: модель и точная теория</source>
      <translation>膨胀扇中的流动：模型与精确理论</translation>
    </message>
    <message>
      <source>φ, °: направление от угла (0 — по набегающему потоку)</source>
      <translation>φ/(°)：从角点量起的方向（0 为来流方向）</translation>
    </message>
    <message>
      <source>отношение к набегающему потоку</source>
      <translation>与来流参数之比</translation>
    </message>
    <message>
      <source>модель</source>
      <translation>模型</translation>
    </message>
    <message>
      <source>точная теория</source>
      <translation>精确理论</translation>
    </message>
    <message>
      <source>начало веера</source>
      <translation>膨胀扇起始</translation>
    </message>
    <message>
      <source>конец: модель</source>
      <translation>终止：模型</translation>
    </message>
    <message>
      <source>конец: теория</source>
      <translation>终止：理论</translation>
    </message>
    <message>
      <source>φ = %1°</source>
      <translation>φ = %1°</translation>
    </message>
    <message>
      <source>поток не сверхзвуковой, веера нет</source>
      <translation>气流不是超声速的，没有膨胀扇</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку: это сжатие, веера нет</source>
      <translation>壁面朝来流方向转动：这是压缩，没有膨胀扇</translation>
    </message>
    <message>
      <source>M</source>
      <translation>M</translation>
    </message>
    <message>
      <source>P, Па</source>
      <translation>P/Pa</translation>
    </message>
    <message>
      <source>T, К</source>
      <translation>T/K</translation>
    </message>
    <message>
      <source>ρ, кг/м³</source>
      <translation>ρ/(kg/m³)</translation>
    </message>
    <message>
      <source>V, м/с</source>
      <translation>V/(m/s)</translation>
    </message>
    <message>
      <source>График состояния в веере</source>
      <translation>膨胀扇中的状态曲线图</translation>
    </message>
    <message>
      <source>Давление падает от %1 до %2 Па в веере модели; по точной теории — до %3 Па</source>
      <translation>模型的膨胀扇中压强从 %1 Pa 降至 %2 Pa；按精确理论降至 %3 Pa</translation>
    </message>
    <message>
      <source>Поток не сверхзвуковой: такое течение программа не рассчитывает; давление набегающего потока %1 Па</source>
      <translation>气流不是超声速的：本程序不计算这种流动；来流压强为 %1 Pa</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку: это сжатие, его модель не рассчитывает; давление набегающего потока %1 Па</source>
      <translation>壁面朝来流方向转动：这是压缩，模型不计算它；来流压强为 %1 Pa</translation>
    </message>
    <message>
      <source>поворот потока →</source>
      <translation>气流偏转方向 →</translation>
    </message>
    <message>
      <source>вакуум</source>
      <translation>真空</translation>
    </message>
    <message>
      <source>точная теория: дальше вакуум →</source>
      <translation>精确理论：此后为真空 →</translation>
    </message>
    <message>
      <source>стенка не повёрнута: поток не поворачивает, веера нет</source>
      <translation>壁面未偏转：气流不偏转，没有膨胀扇</translation>
    </message>
    <message>
      <source>Давление падает от %1 до %2 Па в веере модели; по точной теории поток расширяется до вакуума</source>
      <translation>模型的膨胀扇中压强从 %1 Pa 降至 %2 Pa；按精确理论，气流膨胀至真空</translation>
    </message>
    <message>
      <source>Стенка не повёрнута, поток не поворачивает, веера нет: давление везде %1 Па</source>
      <translation>壁面未偏转，气流不偏转，没有膨胀扇：各处压强均为 %1 Pa</translation>
    </message>
    <message>
      <source>Сплошные линии — упрощённая модель рисунка: состояние в её веере меняется по собственному профилю, а не по теории Прандтля — Майера, и край веера берётся интерполяцией по углу поворота; поэтому её числа расходятся с точной теорией (пунктир) во всём веере и за ним.</source>
      <translation>实线是图中的简化模型：其膨胀扇内的状态按模型自己的分布变化，而不是按普朗特-迈耶理论，膨胀扇的末端按偏转角插值得到；因此在整个膨胀扇内及其之后，它的数值都与精确理论（虚线）不同。</translation>
    </message>
    <message>
      <source>Подробнее о модели</source>
      <translation>关于模型的更多说明</translation>
    </message>
    <message>
      <source>косой скачок</source>
      <translation>斜激波</translation>
    </message>
    <message>
      <source>стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, течение у угла не вычисляется</source>
      <translation>壁面迎着来流转过的角度超过最大偏转角：激波脱体，拐角处的流动不予计算</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку: по точной теории на косом скачке под углом %3° давление растёт от %1 до %2 Па</source>
      <translation>壁面迎着来流转动：按精确理论，压强在 %3° 的斜激波上由 %1 Pa 升至 %2 Pa</translation>
    </message>
    <message>
      <source>Стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, течение у угла не вычисляется; давление набегающего потока %1 Па</source>
      <translation>壁面迎着来流转过的角度超过最大偏转角：激波脱体，拐角处的流动不予计算；来流压强 %1 Pa</translation>
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
      <translation>简体中文</translation>
    </message>
    <message>
      <source>ru</source>
      <comment>The language tag of the page in this language (BCP 47)</comment>
      <translation>zh-Hans</translation>
    </message>
  </context>
  <context>
    <name>Gas</name>
    <message>
      <source>воздух</source>
      <translation>空气</translation>
    </message>
    <message>
      <source>азот</source>
      <translation>氮气</translation>
    </message>
    <message>
      <source>кислород</source>
      <translation>氧气</translation>
    </message>
    <message>
      <source>гелий</source>
      <translation>氦气</translation>
    </message>
    <message>
      <source>аргон</source>
      <translation>氩气</translation>
    </message>
    <message>
      <source>углекислый газ</source>
      <translation>二氧化碳</translation>
    </message>
    <message>
      <source>водяной пар</source>
      <translation>水蒸气</translation>
    </message>
    <message>
      <source>метан</source>
      <translation>甲烷</translation>
    </message>
    <message>
      <source>водород</source>
      <translation>氢气</translation>
    </message>
    <message>
      <source>свой газ</source>
      <translation>自定义气体</translation>
    </message>
  </context>
  <context>
    <name>Legend</name>
    <message>
      <source>стенки тела: вдоль верхней набегает поток, нижнюю поворачивают мышью, пальцем или клавишами</source>
      <translation>物体的壁面：来流沿上壁流来；下壁可用鼠标、手指或按键转动</translation>
    </message>
    <message>
      <source>дуга угла β между стенками, продолжение верхней стенки за углом и дуга угла α</source>
      <translation>壁面之间的角 β 的弧线、上壁越过拐角的延长线以及角 α 的弧线</translation>
    </message>
    <message>
      <source>граница потока: стенка повёрнута дальше наибольшего угла поворота, поток отрывается от неё и идёт вдоль этой линии</source>
      <translation>气流边界：壁面转过了最大偏转角，气流从壁面分离，沿这条线流动</translation>
    </message>
    <message>
      <source>частицы газа: их движение показывает скорость потока</source>
      <translation>气体微团：它们的运动显示流速</translation>
    </message>
    <message>
      <source>линии тока: пути, по которым частицы проходят веер</source>
      <translation>流线：微团穿过膨胀扇的路径</translation>
    </message>
    <message>
      <source>маркер — частица, чей радиус показывает давление: чем ниже давление, тем больше круг</source>
      <translation>标记：一个微团，其半径表示压强：压强越低，圆越大</translation>
    </message>
    <message>
      <source>точная теория (меню «Точная теория»): её последняя характеристика и её линии тока</source>
      <translation>精确理论（菜单“精确理论”）：它的最后一条特征线和它的流线</translation>
    </message>
    <message>
      <source>β — угол тела между стенками; при β = 180° стенка прямая</source>
      <translation>β 是两壁之间的物体角；β = 180° 时壁面是直的</translation>
    </message>
    <message>
      <source>α — угол Маха набегающего потока, sin α = 1/M1: между потоком и первой характеристикой</source>
      <translation>α 是来流的马赫角，sin α = 1/M1：在气流与第一条特征线之间</translation>
    </message>
    <message>
      <source>χ — угол, на который повернул поток; он не больше наибольшего угла поворота, поэтому за ним β + χ меньше 180°</source>
      <translation>χ 是气流偏转的角度；它不会超过最大偏转角，因此超过之后 β + χ 小于 180°</translation>
    </message>
    <message>
      <source>Δφ — ширина веера: угол между первой и последней характеристиками</source>
      <translation>Δφ 是膨胀扇的宽度：第一条与最后一条特征线之间的角</translation>
    </message>
    <message>
      <source>M1, V1, T1, P1, ρ1, c1 — число Маха, скорость, температура, давление, плотность и скорость звука набегающего потока; V1, T1 и P1 вводятся</source>
      <translation>M1、V1、T1、P1、ρ1、c1：来流的马赫数、速度、温度、压强、密度和声速；V1、T1 和 P1 由输入给出</translation>
    </message>
    <message>
      <source>V0 — удельный объём, 1/ρ; индекс «кр» — критическое состояние, где скорость равна местной скорости звука</source>
      <translation>V0 是比体积 1/ρ；下标 cr 表示临界状态，此时速度等于当地声速</translation>
    </message>
    <message>
      <source>M, V, T, P, ρ, c — поток в точке, которую указывают мышью, пальцем или клавишами Shift со стрелками</source>
      <translation>M、V、T、P、ρ、c：鼠标、手指或 Shift 加方向键所指点处的气流</translation>
    </message>
    <message>
      <source>дуга угла β между стенками</source>
      <translation>壁面之间的角 β 的弧线</translation>
    </message>
    <message>
      <source>штриховые линии из угла: почти вертикальная — звуковая линия, направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая характеристика, где начинается веер разрежения; последняя характеристика, где он кончается</source>
      <translation>从拐角出发的虚线：几乎竖直的一条是声速线，即中心膨胀扇在该方向上达到声速的方向（那里的来流仍是超声速的）；第一条特征线，膨胀扇由此开始；最后一条特征线，膨胀扇到此结束</translation>
    </message>
    <message>
      <source>штриховые линии из угла: звуковая линия — направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая характеристика, где начинается веер разрежения; последняя характеристика, где он кончается</source>
      <translation>从拐角出发的虚线：声速线，即中心膨胀扇在该方向上达到声速的方向（那里的来流仍是超声速的）；第一条特征线，膨胀扇由此开始；最后一条特征线，膨胀扇到此结束</translation>
    </message>
    <message>
      <source>штриховые линии из угла: первая и последняя линии Маха веера разрежения по точной теории</source>
      <translation>从拐角出发的虚线：按精确理论的膨胀扇的第一条和最后一条马赫线</translation>
    </message>
    <message>
      <source>косой скачок уплотнения: на нём поток поворачивает вдоль стенки, давление и плотность возрастают</source>
      <translation>斜激波：气流经过它转向与壁面平行，压强和密度升高</translation>
    </message>
    <message>
      <source>предельная линия тока: на ней газ расширился до нулевого давления</source>
      <translation>极限流线：气体在这条线上膨胀到压强为零</translation>
    </message>
    <message>
      <source>вакуум: между предельной линией тока и стенкой газа нет</source>
      <translation>真空：极限流线与壁面之间没有气体</translation>
    </message>
    <message>
      <source>линии тока: пути частиц газа</source>
      <translation>流线：气体微团的路径</translation>
    </message>
    <message>
      <source>точная теория (кнопка «Точная теория»): её последняя характеристика и её линии тока</source>
      <translation>精确理论（按钮“精确理论”）：它的最后一条特征线和它的流线</translation>
    </message>
    <message>
      <source>штриховые линии из угла по точной теории: звуковая линия — направление, где центрированный веер был бы звуковым (набегающий поток там ещё сверхзвуковой); первая и последняя линии Маха веера разрежения</source>
      <translation>按精确理论从拐角出发的虚线：声速线，即中心膨胀扇在该方向上达到声速的方向（那里的来流仍是超声速的）；膨胀扇的第一条和最后一条马赫线</translation>
    </message>
    <message>
      <source>область, которую точная теория не вычисляет: скачок уплотнения отошёл от угла, или поток не сверхзвуковой</source>
      <translation>精确理论不计算的区域：激波已脱离拐角（脱体激波），或气流不是超声速的</translation>
    </message>
    <message>
      <source>θ — угол, на который стенка повёрнута навстречу потоку; σ — угол скачка уплотнения к набегающему потоку</source>
      <translation>θ 为壁面朝来流方向转过的角度；σ 为斜激波与来流之间的夹角</translation>
    </message>
    <message>
      <source>θ — угол, на который стенка повёрнута навстречу потоку; θmax — наибольший угол, на который поток поворачивает присоединённый скачок уплотнения</source>
      <translation>θ 为壁面朝来流方向转过的角度；θmax 为附体激波所能使气流偏转的最大角度（最大偏折角）</translation>
    </message>
  </context>
</TS>
