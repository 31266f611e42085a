#include "dialog/words.h"

#include "dialog/picture_description.h"

namespace {

const ShellWord kWords[] = {
    {"pictureName", "Picture", kPictureName},
    {"slider", "Picture", kSliderWords},
    {"sliderInto", "Picture", kSliderIntoWords},
    {"pictureKeys", "Picture", kPictureKeysWords},
    {"paused", "Picture", kPausedWords},
    {"exactTheory", "Dialog", kExactTheoryWords},
    {"guideItem", "Dialog", kGuideWords},
    {"noGuide", "Dialog", kNoGuideWords},
    {"plot", "Dialog", kPlotWords},
    {"physics", "Dialog", kPhysicsWords},
    {"savePicture", "Dialog", kSavePictureWords},
    {"notSaved", "Dialog", kPictureNotSavedWords},
    {"pngFiles", "Dialog", kPngFilesWords},
    {"savePlot", "Dialog", kSavePlotWords},
    {"saveData", "Dialog", kSaveDataWords},
    {"plotNotSaved", "Dialog", kPlotNotSavedWords},
    {"dataNotSaved", "Dialog", kDataNotSavedWords},
    {"csvFiles", "Dialog", kCsvFilesWords},
    {"language", "Dialog", kLanguageWords},
    // The page's own, which need a browser's services.
    {"notCopied", "Dialog", "Рисунок не скопирован: браузер не разрешил"},
    {"linkCopied", "Dialog", "Ссылка скопирована"},
    {"linkByHand", "Dialog", "Ссылка на это состояние (скопируйте её):"},
    {"ignored", "Dialog", "В адресе не учтено: %1"},
    {"noFullScreen", "Dialog", "Браузер не разрешил показать страницу во весь экран"},
    {"touchHint", "Dialog",
     "Коснитесь рисунка — поля покажут поток в этой точке. Стенку поворачивают, ведя её пальцем."},
    {"labels", "Picture", "Надписи на рисунке: %1."},
    {"aboutCaption", "About", "О программе Cornerflow"},
    {"aboutVersion", "About", "Cornerflow, версия %1"},
    {"aboutModel", "About", "Веер разрежения сверхзвукового потока у выпуклого угла"},
    {"aboutShell", "About",
     "Скомпилирована в WebAssembly и работает в браузере. Свободная программа под лицензией MIT: "
     "её можно использовать, копировать и изменять."},
    {"aboutPhysics", "About", kAboutPhysicsWords},
    {"aboutCopyright", "About", "© Разработчики Cornerflow"},
    {"keysTitle", "About", "Клавиши на рисунке"},
    // The page's links to the teacher's guide: under the plot, to its part on the model, and in
    // the About box.
    {"modelLink", "Plot", "Подробнее о модели"},
    {"guide", "About", "Пособие для учителя: что показать на уроке"},
    {"legend", "Dialog", kLegendWords},
    {"notPhysical", "Picture", kNotPhysicalWords},
    {"exactVacuum", "Picture", kExactVacuumWords},
};

} // namespace

const ShellWord* ShellWords() { return kWords; }
size_t ShellWordCount() { return sizeof(kWords) / sizeof(kWords[0]); }
