"""What each screen shows: its window size, its backdrop and the rectangles of
the controls visible over it (left, top, width, height)."""

OK_MAIN = (531, 420, 69, 21)
BACK_MAIN = (450, 420, 69, 21)
FIELDS = [(163, 188), (163, 219), (163, 276), (163, 308), (456, 188), (456, 276)]
MAX_BUTTONS = [(232, 188, 71, 20), (232, 220, 71, 20), (232, 276, 71, 20), (232, 308, 71, 20),
               (523, 187, 77, 20), (523, 276, 77, 20)]
HOT_SPOTS = {"Label1": (260, 0, 43, 21), "Label2": (364, 0, 80, 21), "Label3": (447, 0, 36, 21),
             "Label4": (293, 300, 20, 20)}
SECTION_SPOTS = {"Label1": (43, 127, 86, 15), "Label2": (43, 146, 86, 15), "Label3": (43, 164, 86, 15)}
SECTION_OK = (529, 366, 71, 21)
UPDATES_OK, UPDATES_UPDATE = (352, 229, 71, 21), (269, 229, 71, 21)
ABOUT_OK = (352, 243, 71, 22)
NOTICE_OK, NOTICE_CANCEL = (319, 141, 70, 21), (237, 141, 70, 21)
CHECK = {1: (194, 191, 100, 20), 2: (194, 212, 100, 20), 3: (194, 277, 100, 20), 4: (194, 296, 100, 20)}

SCREENS = {
    "page1": ((619, 461), "p.jpg", [OK_MAIN]),
    "page2": ((619, 461), "cd.jpg", [(163, 168, 118, 22), (67, 220, 69, 20), (67, 196, 69, 20),
                                     (293, 300, 69, 20), OK_MAIN, BACK_MAIN]),
    "page3": ((619, 461), "wd.jpg", [(x, y, 63, 20) for x, y in FIELDS] + MAX_BUTTONS + [OK_MAIN, BACK_MAIN]),
    "page4": ((619, 461), "ad.jpg", [OK_MAIN]),
    "section1": ((619, 461), "s1.jpg", [SECTION_OK, CHECK[1], CHECK[2]]),
    "section2": ((619, 461), "s2.jpg", [SECTION_OK, CHECK[1], CHECK[3], CHECK[4]]),
    "section3": ((619, 461), "s3.jpg", [SECTION_OK, CHECK[1], CHECK[2]]),
    "updates": ((449, 279), "cfu.jpg", [UPDATES_OK, UPDATES_UPDATE]),
    "about": ((449, 292), "abo.jpg", [ABOUT_OK]),
    "notice": ((409, 172), "ncm.jpg", [NOTICE_OK, NOTICE_CANCEL]),
    "splash": ((440, 147), "li.jpg", []),
}


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2
